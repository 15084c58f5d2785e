// A file written from start to end in one pass, as a download arrives: the bytes are gathered
// into large writes, the disk starts taking them while more arrive, and Finish returns only once
// everything is on the disk, so the caller may then rename the file over the one it replaces.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lmn {

class StreamedFile {
  public:
    // Creates (or truncates) the file at nativePath.
    explicit StreamedFile(const std::string& nativePath);
    ~StreamedFile();
    StreamedFile(const StreamedFile&) = delete;
    StreamedFile& operator=(const StreamedFile&) = delete;

    bool ok() const { return fd_ >= 0; }
    // False once any write has failed; later calls then write nothing.
    bool Write(std::string_view data);
    // Writes what is gathered, waits for the disk and closes; true when every byte is stored.
    // Safe to call more than once; false for a file that never opened.
    bool Finish();

  private:
    bool Flush();

    int fd_ = -1;
    bool failed_ = false;
    bool stored_ = false;
    std::vector<char> buffer_;
    int64_t written_ = 0;      // bytes handed to the file system
    int64_t writtenBack_ = 0;  // bytes the disk has been asked to take
};

// How many bytes are gathered before one write, and how many written bytes make the disk start
// on them.
inline constexpr size_t kStreamedWriteBytes = 1u << 20;
inline constexpr int64_t kStreamedWritebackBytes = 8 << 20;

}  // namespace lmn
