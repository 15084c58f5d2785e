#include "paths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "temp_dir.h"

namespace lmn {
namespace {

using test::ReadTestFile;
using test::TempDir;
using test::WriteTestFile;

TEST(Paths, FullPathKeepsAbsoluteNames) {
    EXPECT_EQ(FullPath("/opt/game/", "config.ini"), "/opt/game/config.ini");
    EXPECT_EQ(FullPath("/opt/game/", "c:/KX_log.txt"), "c:/KX_log.txt");
    EXPECT_EQ(FullPath("/opt/game/", "/etc/x"), "/etc/x");
    EXPECT_EQ(FullPath("/opt/game/", "sound\\5.mp3"), "/opt/game/sound\\5.mp3");
}

TEST(Paths, NativePathMapsSeparatorsDrivesAndCase) {
    TempDir dir;
    WriteTestFile(dir / "images/card/card_no_1_big.jpg", "x");
    WriteTestFile(dir / "Update.exe", "x");
    EXPECT_EQ(NativePath(dir.path() + "images\\Card\\CARD_no_1_big.jpg"),
              dir.path() + "images/card/card_no_1_big.jpg");
    EXPECT_EQ(NativePath(dir.path() + "update.exe"), dir.path() + "Update.exe");
    // A missing name keeps its own case; only existing twins are followed.
    EXPECT_EQ(NativePath(dir.path() + "images/New/X.jpg"), dir.path() + "images/New/X.jpg");
    EXPECT_EQ(NativePath("c://KX_log.txt"), "/KX_log.txt");
    EXPECT_EQ(NativePath(""), "");
    EXPECT_EQ(NativePath("."), ".");
    EXPECT_EQ(NativePath("./"), "./");
    EXPECT_EQ(NativePath("C:\\temp\\a.txt"), "/temp/a.txt");
}

TEST(Paths, WritesGoToTheCaseInsensitiveTwin) {
    TempDir dir;
    WriteTestFile(dir / "Config.INI", "[common]\n");
    ASSERT_TRUE(WriteFileAtomic(dir.path() + "config.ini", "new"));
    EXPECT_EQ(ReadTestFile(dir / "Config.INI"), "new");
    EXPECT_FALSE(PathExists(dir.path() + "nothing.ini"));
    struct stat st;
    EXPECT_NE(stat((dir / "config.ini").c_str(), &st), 0) << "no second file beside the twin";
}

TEST(Paths, ClientEnsureDirectoriesStopsAtADottedPiece) {
    TempDir dir;
    EnsureDirectoriesClient(dir.path() + "record/sub/file.txt");
    EXPECT_TRUE(IsDirectory(dir.path() + "record/sub"));
    EXPECT_FALSE(PathExists(dir.path() + "record/sub/file.txt"));

    EnsureDirectoriesClient(dir.path() + "v1.2/below/x");
    EXPECT_FALSE(PathExists(dir.path() + "v1.2"));
    EXPECT_FALSE(PathExists(dir.path() + "v1.2/below"));

    // An existing dotted folder (an install folder under ~/.local, say) is walked through.
    ASSERT_EQ(mkdir((dir / "game.d").c_str(), 0755), 0);
    EnsureDirectoriesClient(dir.path() + "game.d/record");
    EXPECT_TRUE(IsDirectory(dir.path() + "game.d/record"));

    EnsureDirectoriesClient("nosep");  // nothing to do, nothing created
    EXPECT_FALSE(PathExists("nosep"));
}

TEST(Paths, UpdaterAndMakerEnsureDirectoriesDiffer) {
    TempDir dir;
    EnsureDirectoriesUpdater(dir.path() + "update\\config\\LMN_KX_update.xml");
    EXPECT_TRUE(IsDirectory(dir.path() + "update/config"));
    EXPECT_FALSE(PathExists(dir.path() + "update/config/LMN_KX_update.xml"));
    EnsureDirectoriesUpdater(dir.path() + "a.b/c/file");
    EXPECT_TRUE(IsDirectory(dir.path() + "a.b/c"));

    EnsureDirectoriesMaker(dir.path() + "maker/set.one");
    EXPECT_TRUE(IsDirectory(dir.path() + "maker/set.one"));

    std::string deep = dir.path();
    for (int i = 0; i < 130; ++i) deep += "d/";
    EnsureDirectoriesUpdater(deep + "f.txt");  // deeper than any fixed piece list
    EXPECT_TRUE(IsDirectory(deep));
}

TEST(Paths, ForceDeleteRemovesReadOnlyFilesAndIgnoresMissingOnes) {
    TempDir dir;
    WriteTestFile(dir / "ro.txt", "x");
    chmod((dir / "ro.txt").c_str(), 0444);
    ForceDeleteFile(dir.path() + "RO.TXT");
    EXPECT_FALSE(PathExists(dir.path() + "ro.txt"));
    ForceDeleteFile(dir.path() + "missing.txt");
}

TEST(Paths, AtomicCopyReplacesReadOnlyTargetsAndKeepsTheOldOneOnFailure) {
    TempDir dir;
    WriteTestFile(dir / "src.bin", std::string(100000, 'n'));
    WriteTestFile(dir / "dst.bin", "old");
    chmod((dir / "dst.bin").c_str(), 0444);
    ASSERT_TRUE(CopyFileAtomic(dir.path() + "src.bin", dir.path() + "dst.bin"));
    EXPECT_EQ(ReadTestFile(dir / "dst.bin").size(), 100000u);

    EXPECT_FALSE(CopyFileAtomic(dir.path() + "missing.bin", dir.path() + "dst.bin"));
    EXPECT_EQ(ReadTestFile(dir / "dst.bin").size(), 100000u);
    EXPECT_FALSE(WriteFileAtomic(dir.path() + "no/such/folder/x", "data"));
}

TEST(Paths, ExeFilesBecomeExecutable) {
    TempDir dir;
    WriteTestFile(dir / "LMN_KX.exe", "x");
    WriteTestFile(dir / "readme.txt", "x");
    MakeExecutable(dir.path() + "lmn_kx.EXE");
    MakeExecutable(dir.path() + "readme.txt");
    struct stat st;
    ASSERT_EQ(stat((dir / "LMN_KX.exe").c_str(), &st), 0);
    EXPECT_TRUE(st.st_mode & S_IXUSR);
    ASSERT_EQ(stat((dir / "readme.txt").c_str(), &st), 0);
    EXPECT_FALSE(st.st_mode & S_IXUSR);
}

}  // namespace
}  // namespace lmn
