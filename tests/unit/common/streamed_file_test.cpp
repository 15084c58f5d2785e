#include "streamed_file.h"

#include <gtest/gtest.h>

#include <string>

#include "temp_dir.h"

namespace lmn {
namespace {

using test::ReadTestFile;
using test::TempDir;
using test::WriteTestFile;

// Bytes that differ from one position to the next, so a lost, doubled or moved piece shows.
std::string Pattern(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + i / 4099) & 0xff);
    return bytes;
}

TEST(StreamedFile, PiecesOfAnySizeArriveWholeAndInOrder) {
    TempDir dir;
    WriteTestFile(dir / "download.txt", std::string(20 << 20, 'o'));  // an older, longer file
    // Past several gathered writes and several early write-backs, in pieces that never line
    // up with either, then one piece larger than a gathered write.
    const std::string bytes = Pattern(kStreamedWritebackBytes + 3 * kStreamedWriteBytes + 12345);
    StreamedFile file(dir / "download.txt");
    ASSERT_TRUE(file.ok());
    size_t at = 0;
    for (size_t piece = 7919; at + piece <= bytes.size() - 3 * kStreamedWriteBytes; at += piece)
        ASSERT_TRUE(file.Write(std::string_view(bytes).substr(at, piece)));
    ASSERT_TRUE(file.Write(std::string_view(bytes).substr(at)));
    ASSERT_TRUE(file.Write({}));
    EXPECT_TRUE(file.Finish());
    EXPECT_TRUE(ReadTestFile(dir / "download.txt") == bytes);

    EXPECT_TRUE(file.Finish()) << "a second Finish reports the same";
    EXPECT_FALSE(file.Write("late")) << "nothing is written after Finish";
    EXPECT_EQ(ReadTestFile(dir / "download.txt").size(), bytes.size());
}

TEST(StreamedFile, AnEmptyDownloadIsAnEmptyFile) {
    TempDir dir;
    WriteTestFile(dir / "download.txt", "old");
    StreamedFile file(dir / "download.txt");
    EXPECT_TRUE(file.Finish());
    EXPECT_EQ(ReadTestFile(dir / "download.txt"), "");
}

TEST(StreamedFile, AFullDiskIsNeverReportedAsStored) {
    {
        // Gathered bytes fail only when they are written out at the end.
        StreamedFile file("/dev/full");
        ASSERT_TRUE(file.ok());
        EXPECT_TRUE(file.Write("a few bytes"));
        EXPECT_FALSE(file.Finish());
        EXPECT_FALSE(file.Finish());
    }
    {
        StreamedFile file("/dev/full");
        EXPECT_FALSE(file.Write(Pattern(kStreamedWriteBytes + 1)));
        EXPECT_FALSE(file.Write("more")) << "a failed file takes nothing more";
        EXPECT_FALSE(file.Finish());
    }
}

TEST(StreamedFile, AFileThatCannotBeCreatedReportsEveryCallAsFailed) {
    TempDir dir;
    StreamedFile file(dir / "missing/folder/download.txt");
    EXPECT_FALSE(file.ok());
    EXPECT_FALSE(file.Write("x"));
    EXPECT_FALSE(file.Finish());
}

}  // namespace
}  // namespace lmn
