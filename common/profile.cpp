#include "profile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "paths.h"
#include "text.h"

namespace lmn {

namespace profile_text {

namespace {

struct Line {
    std::string_view text;
    size_t begin;  // offset of the line in the file text
    size_t end;    // offset just past the line's end-of-line
};

std::vector<Line> Lines(std::string_view text) {
    std::vector<Line> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t nl = text.find('\n', pos);
        size_t end = nl == std::string_view::npos ? text.size() : nl + 1;
        std::string_view body = text.substr(pos, (nl == std::string_view::npos ? text.size() : nl) - pos);
        if (!body.empty() && body.back() == '\r') body.remove_suffix(1);
        lines.push_back({body, pos, end});
        pos = end;
    }
    return lines;
}

// "[name]" -> name (trimmed); false for any other line.
bool SectionName(std::string_view line, std::string& name) {
    std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[') return false;
    size_t close = t.find(']');
    if (close == std::string::npos) return false;
    name = Trim(std::string_view(t).substr(1, close - 1));
    return true;
}

bool KeyOf(std::string_view line, std::string& key, std::string& value) {
    size_t eq = line.find('=');
    if (eq == std::string_view::npos) return false;
    key = Trim(line.substr(0, eq));
    value = Trim(line.substr(eq + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return !key.empty() && key[0] != ';';
}

bool SameName(std::string_view a, std::string_view b) {
    return GbkToLower(a) == GbkToLower(b);
}

}  // namespace

bool Lookup(std::string_view text, std::string_view section, std::string_view key, std::string& value) {
    bool inSection = false;
    for (const auto& line : Lines(text)) {
        std::string name, k, v;
        if (SectionName(line.text, name)) {
            if (inSection) return false;  // the first section of that name is the one read
            inSection = SameName(name, section);
        } else if (inSection && KeyOf(line.text, k, v) && SameName(k, key)) {
            value = v;
            return true;
        }
    }
    return false;
}

std::string Set(std::string_view text, std::string_view section, std::string_view key,
                std::string_view value) {
    std::string entry = std::string(key) + "=" + std::string(value);
    std::string eol = text.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
    auto lines = Lines(text);
    bool inSection = false;
    size_t insertAt = std::string::npos;  // just past the section's last non-blank line
    for (const auto& line : lines) {
        std::string name, k, v;
        if (SectionName(line.text, name)) {
            if (inSection) break;
            inSection = SameName(name, section);
            if (inSection) insertAt = line.end;
        } else if (inSection) {
            if (KeyOf(line.text, k, v) && SameName(k, key)) {
                std::string out(text.substr(0, line.begin));
                out += entry;
                out.append(text.substr(line.begin + line.text.size()));
                return out;
            }
            if (!Trim(line.text).empty()) insertAt = line.end;
        }
    }
    std::string out(text);
    if (insertAt != std::string::npos) {
        std::string piece = entry + eol;
        if (insertAt > 0 && out[insertAt - 1] != '\n') piece = eol + piece;
        out.insert(insertAt, piece);
        return out;
    }
    if (!out.empty() && out.back() != '\n') out += eol;
    out += "[" + std::string(section) + "]" + eol + entry + eol;
    return out;
}

}  // namespace profile_text

namespace {

// Holds an exclusive lock on PATH.lock for one read-modify-write of the profile.
class WriteLock {
  public:
    explicit WriteLock(const std::string& native) {
        fd_ = open((native + ".lock").c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0644);
        if (fd_ >= 0) flock(fd_, LOCK_EX);
    }
    ~WriteLock() {
        if (fd_ >= 0) close(fd_);  // closing releases the lock
    }
    WriteLock(const WriteLock&) = delete;
    WriteLock& operator=(const WriteLock&) = delete;

  private:
    int fd_ = -1;
};

}  // namespace

ProfileFile::ProfileFile(std::string path) : path_(std::move(path)) {}

std::string ProfileFile::GetString(std::string_view section, std::string_view key, std::string_view def,
                                   size_t maxChars) const {
    std::string text, value;
    std::string result =
        ReadFile(path_, text) && profile_text::Lookup(text, section, key, value) ? value : std::string(def);
    if (maxChars > 0 && result.size() > maxChars - 1) result.resize(maxChars - 1);
    return result;
}

int ProfileFile::GetInt(std::string_view section, std::string_view key, int def) const {
    std::string text, value;
    if (!ReadFile(path_, text) || !profile_text::Lookup(text, section, key, value)) return def;
    return AtoI(value);
}

bool ProfileFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    return WriteMany(section, {{std::string(key), std::string(value)}});
}

bool ProfileFile::WriteInt(std::string_view section, std::string_view key, int value) {
    return WriteString(section, key, std::to_string(value));
}

bool ProfileFile::WriteMany(std::string_view section,
                            const std::vector<std::pair<std::string, std::string>>& kv) {
    std::string native = NativePath(path_);
    WriteLock lock(native);
    std::string text;
    ReadFile(native, text);
    for (const auto& [key, value] : kv) {
        // A line break in a value would make up keys of its own: keep only the first line.
        std::string v = value.substr(0, value.find_first_of("\r\n"));
        text = profile_text::Set(text, section, key, v);
    }
    return WriteFileAtomic(native, text);
}

}  // namespace lmn
