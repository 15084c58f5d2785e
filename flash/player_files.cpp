#include "player_files.h"

#include <algorithm>
#include <filesystem>

namespace lmn::flash {

namespace {

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

bool IsPlainName(std::string_view name) {
    if (name.empty() || name.front() == '.') return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
               c == '-' || c == '_';
    });
}

}  // namespace

void PlayerFiles::AddFolder(const std::string& prefix, const std::string& folder,
                            const std::vector<std::string>& extensions) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (!IsPlainName(name) || !entry.is_regular_file(ec)) continue;
        const bool wanted =
            std::any_of(extensions.begin(), extensions.end(),
                        [&](const std::string& extension) { return EndsWith(name, extension); });
        if (wanted) files_[prefix + name] = ServedFile{entry.path().string(), ContentTypeFor(name)};
    }
}

std::optional<ServedFile> PlayerFiles::Find(std::string_view address) const {
    const auto it = files_.find(address);
    if (it == files_.end()) return std::nullopt;
    return it->second;
}

std::string ContentTypeFor(std::string_view name) {
    if (EndsWith(name, ".wasm")) return "application/wasm";
    if (EndsWith(name, ".js")) return "text/javascript";
    if (EndsWith(name, ".swf")) return "application/x-shockwave-flash";
    return "application/octet-stream";
}

}  // namespace lmn::flash
