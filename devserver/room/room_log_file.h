// The room server's log file, kept open: one write per line, flushed at once so tests can read
// it while the server runs.
#pragma once

#include <cstdio>
#include <string>

namespace lmn::dev {

class RoomLogFile {
  public:
    explicit RoomLogFile(const std::string& path);
    ~RoomLogFile();
    RoomLogFile(const RoomLogFile&) = delete;
    RoomLogFile& operator=(const RoomLogFile&) = delete;

    void Write(const std::string& line);

  private:
    std::FILE* file_;
};

}  // namespace lmn::dev
