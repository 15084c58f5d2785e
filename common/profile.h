// config.ini with Windows profile-string semantics: case-insensitive section and key names,
// key=value lines, values trimmed, a missing key reads as the default. Writing one key keeps
// every other line as it was; a missing file or section is created by the first write.
// Writes are atomic (temporary file + rename) and serialised across processes by a lock file,
// so two programs saving at once never lose a key.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lmn {

class ProfileFile {
  public:
    explicit ProfileFile(std::string path);

    const std::string& path() const { return path_; }

    // Values longer than maxChars - 1 bytes are cut, as a fixed read buffer would.
    std::string GetString(std::string_view section, std::string_view key, std::string_view def,
                          size_t maxChars = 5000) const;
    int GetInt(std::string_view section, std::string_view key, int def) const;

    bool WriteString(std::string_view section, std::string_view key, std::string_view value);
    bool WriteInt(std::string_view section, std::string_view key, int value);
    // Several keys of one section in a single locked read-modify-write.
    bool WriteMany(std::string_view section, const std::vector<std::pair<std::string, std::string>>& kv);

  private:
    std::string path_;
};

// Pure text operations behind ProfileFile, kept apart so they can be fuzzed and tested.
namespace profile_text {
// Returns the value, or nullopt-like `found=false`.
bool Lookup(std::string_view text, std::string_view section, std::string_view key, std::string& value);
// Returns the new file text with key set to value in section.
std::string Set(std::string_view text, std::string_view section, std::string_view key,
                std::string_view value);
}  // namespace profile_text

}  // namespace lmn
