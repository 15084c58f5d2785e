#include "replay_folders.h"

#include <dirent.h>
#include <sys/stat.h>

#include <climits>
#include <cstdlib>

#include "paths.h"
#include "text.h"

namespace lmn::replays {

namespace {

std::optional<std::string> RealPath(const std::string& native) {
    char resolved[PATH_MAX];
    if (!realpath(native.c_str(), resolved)) return std::nullopt;
    return std::string(resolved);
}

bool IsBelow(const std::string& path, const std::optional<std::string>& folder) {
    return folder && path.size() > folder->size() + 1 && path.compare(0, folder->size(), *folder) == 0 &&
           path[folder->size()] == '/';
}

}  // namespace

std::optional<std::string> ReplayFolders::ConfinedFile(std::string_view fileName) const {
    if (fileName.empty() || fileName.find('\0') != std::string_view::npos) return std::nullopt;
    std::optional<std::string> file = RealPath(NativePath(FullPath(programDir_, fileName)));
    if (!file) return std::nullopt;
    struct stat st;
    if (stat(file->c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    if (IsBelow(*file, RealPath(NativePath(RecordDir()))) ||
        IsBelow(*file, RealPath(NativePath(CollectDir()))))
        return file;
    return std::nullopt;
}

std::vector<std::string> ReplayFolders::ReplayFileNames(const std::string& folder, ReplaySink& sink) const {
    std::vector<std::string> names;
    std::string native = NativePath(folder);
    DIR* dir = opendir(native.c_str());
    if (!dir) return names;
    while (dirent* entry = readdir(dir)) {
        sink.Pause(1);
        std::string name = entry->d_name;
        if (name.empty() || name[0] == '.') continue;
        if (name.size() < 4 || AsciiLower(name.substr(name.size() - 4)) != ".txt") continue;
        struct stat st;
        if (stat((native + "/" + name).c_str(), &st) != 0 || S_ISDIR(st.st_mode)) continue;
        names.push_back(name);
    }
    closedir(dir);
    return names;
}

}  // namespace lmn::replays
