#include "startup_rule.h"

#include <gtest/gtest.h>

#include "temp_dir.h"
#include "text.h"

namespace lmn::shell {
namespace {

struct Recorder {
    std::vector<std::string> messages;
    std::vector<std::string> started;
    StartupActions Actions() {
        return {[this](const std::string& m) { messages.push_back(m); },
                [this](const std::string& p) {
                    started.push_back(p);
                    return true;
                }};
    }
};

TEST(StartupRule, OnlyTheExactWordGoOpensTheWindow) {
    lmn::test::TempDir dir;
    lmn::test::WriteTestFile(dir / "Update.exe", "#!/bin/sh\n");
    Recorder r;
    EXPECT_EQ(ApplyStartupRule("go", dir.path(), r.Actions()), StartupDecision::OpenWindow);
    EXPECT_TRUE(r.started.empty());

    for (const std::string line : {"go ", "GO", "Go", "", " go", "go go"}) {
        Recorder other;
        EXPECT_EQ(ApplyStartupRule(line, dir.path(), other.Actions()), StartupDecision::Exit)
            << "[" << line << "]";
        ASSERT_EQ(other.started.size(), 1u) << "[" << line << "]";
        EXPECT_EQ(other.started[0], dir / "Update.exe") << "update.exe is found whatever its letter case";
        EXPECT_TRUE(other.messages.empty());
    }
}

TEST(StartupRule, MissingUpdaterIsReportedAndTheClientEnds) {
    lmn::test::TempDir dir;
    Recorder r;
    EXPECT_EQ(ApplyStartupRule("", dir.path(), r.Actions()), StartupDecision::Exit);
    EXPECT_TRUE(r.started.empty());
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(GbkToUtf8(r.messages[0]), "找不到升级程序update.exe，请确认同目录下有该文件");
}

TEST(StartupRule, CommandLineIsTheArgumentsJoinedByBlanks) {
    EXPECT_EQ(CommandLineText({"go"}), "go");
    EXPECT_EQ(CommandLineText({"go", ""}), "go ");
    EXPECT_EQ(CommandLineText({}), "");
    EXPECT_EQ(CommandLineText({"a", "b"}), "a b");
}

}  // namespace
}  // namespace lmn::shell
