// A fresh folder below /tmp for one test, removed when the test ends (kept with LMN_KEEP_TMP=1).
#pragma once

#include <string>

namespace lmn::test {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder, ending with '/'.
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + name; }

  private:
    std::string path_;
};

// Writes data to path, creating its folders.
void WriteTestFile(const std::string& path, const std::string& data);
std::string ReadTestFile(const std::string& path);

}  // namespace lmn::test
