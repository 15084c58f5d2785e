#include "temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace lmn::test {

TempDir::TempDir() {
    std::string templ = (std::filesystem::temp_directory_path() / "lmn-test-XXXXXX").string();
    if (!mkdtemp(templ.data())) throw std::runtime_error("mkdtemp failed");
    path_ = templ + "/";
}

TempDir::~TempDir() {
    const char* keep = std::getenv("LMN_KEEP_TMP");
    if (keep && std::string(keep) == "1") return;
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void WriteTestFile(const std::string& path, const std::string& data) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << data;
}

std::string ReadTestFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

}  // namespace lmn::test
