#include "streamed_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace lmn {

StreamedFile::StreamedFile(const std::string& nativePath)
    : fd_(open(nativePath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666)) {
    if (fd_ >= 0) buffer_.reserve(kStreamedWriteBytes);
}

StreamedFile::~StreamedFile() {
    Finish();
}

bool StreamedFile::Write(std::string_view data) {
    if (fd_ < 0 || failed_) return false;
    while (!data.empty()) {
        const size_t room = kStreamedWriteBytes - buffer_.size();
        const size_t take = data.size() < room ? data.size() : room;
        buffer_.insert(buffer_.end(), data.begin(), data.begin() + static_cast<std::ptrdiff_t>(take));
        data.remove_prefix(take);
        if (buffer_.size() == kStreamedWriteBytes && !Flush()) return false;
    }
    return true;
}

bool StreamedFile::Flush() {
    const char* at = buffer_.data();
    size_t left = buffer_.size();
    while (left > 0) {
        const ssize_t n = write(fd_, at, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            failed_ = true;
            return false;
        }
        at += n;
        left -= static_cast<size_t>(n);
        written_ += n;
    }
    buffer_.clear();
    // Start the disk on what has piled up without waiting for it: the final sync then has only
    // the tail left, instead of the whole file at once.
    if (written_ - writtenBack_ >= kStreamedWritebackBytes) {
        sync_file_range(fd_, writtenBack_, written_ - writtenBack_, SYNC_FILE_RANGE_WRITE);
        writtenBack_ = written_;
    }
    return true;
}

bool StreamedFile::Finish() {
    if (fd_ < 0) return stored_;
    stored_ = !failed_ && Flush() && fsync(fd_) == 0;
    stored_ = close(fd_) == 0 && stored_;
    fd_ = -1;
    return stored_;
}

}  // namespace lmn
