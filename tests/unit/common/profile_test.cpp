#include "profile.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "temp_dir.h"

namespace lmn {
namespace {

using test::ReadTestFile;
using test::TempDir;
using test::WriteTestFile;

TEST(Profile, MissingFileOrKeyReadsTheDefault) {
    TempDir dir;
    ProfileFile ini(dir.path() + "config.ini");
    EXPECT_EQ(ini.GetString("common", "strUrl", "http://127.0.0.1/game/zrk/"), "http://127.0.0.1/game/zrk/");
    EXPECT_EQ(ini.GetInt("common", "bMusic", 1), 1);
    EXPECT_FALSE(test::ReadTestFile(dir / "config.ini").size());
}

TEST(Profile, NamesIgnoreCaseAndValuesAreTrimmed) {
    TempDir dir;
    WriteTestFile(dir / "config.ini",
                  "; comment\r\n[Common]\r\n  STRURL =  http://x/game/zrk/  \r\nbMusic=abc\r\n");
    ProfileFile ini(dir.path() + "config.ini");
    EXPECT_EQ(ini.GetString("common", "strUrl", ""), "http://x/game/zrk/");
    EXPECT_EQ(ini.GetInt("COMMON", "bmusic", 1), 0) << "unreadable numbers are 0";
    EXPECT_EQ(ini.GetString("other", "strUrl", "d"), "d");
}

TEST(Profile, WritingOneKeyKeepsEveryOtherLineOfAFileFromAnotherProgram) {
    TempDir dir;
    std::string original =
        "[common]\r\nstrUrl=http://a/game/zrk/\r\n; the card maker's keys\r\nstrCardPath=c:\\cards\r\n\r\n"
        "[other]\r\nx=1\r\n";
    WriteTestFile(dir / "config.ini", original);
    ProfileFile ini(dir.path() + "config.ini");
    ASSERT_TRUE(ini.WriteString("COMMON", "STRURL", "http://b/game/zrk/"));
    ASSERT_TRUE(ini.WriteInt("common", "bMusic", 0));
    ASSERT_TRUE(ini.WriteString("third", "k", "v"));
    EXPECT_EQ(ReadTestFile(dir / "config.ini"),
              "[common]\r\nSTRURL=http://b/game/zrk/\r\n; the card maker's keys\r\nstrCardPath=c:\\cards\r\n"
              "bMusic=0\r\n\r\n[other]\r\nx=1\r\n[third]\r\nk=v\r\n");
}

TEST(Profile, AFirstWriteCreatesFileAndSection) {
    TempDir dir;
    ProfileFile ini(dir.path() + "config.ini");
    ASSERT_TRUE(ini.WriteString("common", "strUserName", "alice"));
    EXPECT_EQ(ReadTestFile(dir / "config.ini"), "[common]\nstrUserName=alice\n");
}

TEST(Profile, AValueCannotSmuggleInALineOfItsOwn) {
    TempDir dir;
    ProfileFile ini(dir.path() + "config.ini");
    ASSERT_TRUE(ini.WriteString("common", "strPassword", "pw\r\nstrUrl=http://evil/"));
    EXPECT_EQ(ini.GetString("common", "strPassword", ""), "pw");
    EXPECT_EQ(ini.GetString("common", "strUrl", "none"), "none");
}

TEST(Profile, LongValuesAreCutToTheReadBuffer) {
    TempDir dir;
    ProfileFile ini(dir.path() + "config.ini");
    ASSERT_TRUE(ini.WriteString("common", "strUserName", std::string(6000, 'n')));
    EXPECT_EQ(ini.GetString("common", "strUserName", "").size(), 4999u);
}

TEST(Profile, ThreeProcessesWritingAtOnceLoseNoKey) {
    TempDir dir;
    std::string path = dir.path() + "config.ini";
    constexpr int kProcs = 3, kRounds = 150;
    pid_t pids[kProcs];
    for (int p = 0; p < kProcs; ++p) {
        pids[p] = fork();
        if (pids[p] == 0) {
            ProfileFile ini(path);
            bool ok = true;
            for (int i = 0; i < kRounds; ++i) {
                ok =
                    ini.WriteInt("common", "key" + std::to_string(p) + "_" + std::to_string(i % 10), i) && ok;
                ok = ini.GetString("common", "key" + std::to_string(p) + "_0", "missing") != "missing" && ok;
            }
            _exit(ok ? 0 : 1);
        }
    }
    for (pid_t pid : pids) {
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    ProfileFile ini(path);
    for (int p = 0; p < kProcs; ++p)
        for (int k = 0; k < 10; ++k)
            EXPECT_EQ(ini.GetInt("common", "key" + std::to_string(p) + "_" + std::to_string(k), -1),
                      kRounds - 10 + k)
                << "process " << p << " key " << k;
}

}  // namespace
}  // namespace lmn
