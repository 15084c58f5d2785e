#include "room_log_file.h"

namespace lmn::dev {

RoomLogFile::RoomLogFile(const std::string& path) : file_(std::fopen(path.c_str(), "ab")) {}

RoomLogFile::~RoomLogFile() {
    if (file_) std::fclose(file_);
}

void RoomLogFile::Write(const std::string& line) {
    if (!file_) return;
    std::string withEnd = line + '\n';
    std::fwrite(withEnd.data(), 1, withEnd.size(), file_);
    std::fflush(file_);
}

}  // namespace lmn::dev
