#include "child_process.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "temp_dir.h"

namespace lmn::test {
namespace {

// True when no process (not even a zombie) has this id any more.
bool Gone(pid_t pid) {
    return kill(pid, 0) != 0 && errno == ESRCH;
}

TEST(ChildProcess, ReportsTheExitCodeOfAProgramFoundInPath) {
    ChildProcess child({"sh", "-c", "exit 3"});
    ASSERT_TRUE(child.started());
    EXPECT_EQ(child.WaitForExit(10000), 3);
    EXPECT_FALSE(child.Running());
    EXPECT_EQ(child.exitCode(), 3);
}

TEST(ChildProcess, WhatCannotBeStartedIsReportedAndLeavesNoChild) {
    TempDir dir;
    EXPECT_FALSE(ChildProcess({dir / "missing-program"}).started());
    EXPECT_FALSE(ChildProcess({"sh", "-c", "exit 0"}, {.dir = dir / "missing-folder"}).started());
    EXPECT_FALSE(ChildProcess({"sh", "-c", "exit 0"}, {.output = dir / "missing-folder/log"}).started());
    EXPECT_FALSE(ChildProcess(std::vector<std::string>{}).started());
    ChildProcess failed({dir / "missing-program"});
    EXPECT_EQ(failed.pid(), -1);
    EXPECT_FALSE(failed.Running());
}

TEST(ChildProcess, RunsInItsFolderWithTheGivenEnvironmentAndOutput) {
    TempDir dir;
    setenv("LMN_CHILD_KEPT", "kept", 1);
    setenv("LMN_CHILD_GONE", "gone", 1);
    setenv("LMN_CHILD_CHANGED", "old", 1);
    ChildProcess child(
        {"sh", "-c", "echo \"$(pwd)|$LMN_CHILD_KEPT|$LMN_CHILD_GONE|$LMN_CHILD_CHANGED\"; echo err >&2"},
        {.dir = dir.path(),
         .env = {{"LMN_CHILD_CHANGED", "new"}},
         .unsetEnv = {"LMN_CHILD_GONE"},
         .output = dir / "out.log"});
    ASSERT_EQ(child.WaitForExit(10000), 0);
    EXPECT_EQ(ReadTestFile(dir / "out.log"),
              dir.path().substr(0, dir.path().size() - 1) + "|kept||new\nerr\n");
    // The test's own environment is left as it was.
    EXPECT_STREQ(std::getenv("LMN_CHILD_GONE"), "gone");
    EXPECT_STREQ(std::getenv("LMN_CHILD_CHANGED"), "old");

    // Output is appended; with keepStderr the error line stays out of the file.
    ChildProcess second({"sh", "-c", "echo more; echo err2 >&2"},
                        {.output = dir / "out.log", .keepStderr = true});
    ASSERT_EQ(second.WaitForExit(10000), 0);
    EXPECT_EQ(ReadTestFile(dir / "out.log"),
              dir.path().substr(0, dir.path().size() - 1) + "|kept||new\nerr\nmore\n");
}

TEST(ChildProcess, StopEndsEvenAProgramThatIgnoresTerminationAndReapsIt) {
    TempDir dir;
    ChildProcess stubborn({"sh", "-c", "trap '' TERM; echo ready; while :; do sleep 1; done"},
                          {.output = dir / "ready"});
    ASSERT_TRUE(stubborn.started());
    // The trap must be in place before the signal is sent.
    while (ReadTestFile(dir / "ready").empty()) {
        ASSERT_TRUE(stubborn.Running());
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    const pid_t pid = stubborn.pid();
    EXPECT_EQ(stubborn.WaitForExit(100), -1);
    EXPECT_TRUE(stubborn.Running());
    stubborn.Stop(100);
    EXPECT_FALSE(stubborn.Running());
    EXPECT_EQ(stubborn.exitCode(), -1);
    EXPECT_TRUE(Gone(pid));
}

TEST(ChildProcess, EndsWithItsOwnerAndMovesWithoutEnding) {
    pid_t pid = -1;
    {
        ChildProcess outer;
        {
            ChildProcess inner({"sleep", "30"});
            ASSERT_TRUE(inner.started());
            pid = inner.pid();
            ChildProcess moved(std::move(inner));
            EXPECT_EQ(inner.pid(), -1);
            EXPECT_EQ(moved.pid(), pid);
            outer = std::move(moved);
            EXPECT_EQ(moved.pid(), -1);
        }
        EXPECT_FALSE(Gone(pid));
        EXPECT_TRUE(outer.Running());
        EXPECT_EQ(outer.pid(), pid);
        // Taking another program stops the one held before.
        outer = ChildProcess({"sleep", "30"});
        EXPECT_TRUE(Gone(pid));
        pid = outer.pid();
    }
    EXPECT_TRUE(Gone(pid));
}

}  // namespace
}  // namespace lmn::test
