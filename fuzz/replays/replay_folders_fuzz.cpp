// File names the page sends back for deletion and viewing: whatever the name, an accepted file
// lies inside the program folder's "record" or "collect".
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "replay_folders.h"
#include "replay_names.h"

using namespace lmn::replays;

namespace {

std::string MakeInstall() {
    char pattern[] = "/tmp/lmn-replay-fuzz-XXXXXX";
    std::string root = mkdtemp(pattern);
    for (const char* dir : {"/game", "/game/record", "/game/collect", "/game/record/sub"})
        mkdir((root + dir).c_str(), 0755);
    for (const char* file : {"/secret.txt", "/game/config.ini", "/game/record/[a] vs [b]1.txt",
                             "/game/collect/[c] vs [d]2.txt", "/game/record/sub/x.txt"})
        std::ofstream(root + file) << "x";
    symlink((root + "/secret.txt").c_str(), (root + "/game/record/link.txt").c_str());
    return root;
}

std::string Real(const std::string& path) {
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? std::string(resolved) : std::string();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string root = MakeInstall();
    static const ReplayFolders folders(root + "/game/");
    static const std::string record = Real(root + "/game/record") + "/";
    static const std::string collect = Real(root + "/game/collect") + "/";

    std::string name = DecodePageFileName(std::string_view(reinterpret_cast<const char*>(data), size));
    if (auto file = folders.ConfinedFile(name)) {
        if (file->rfind(record, 0) != 0 && file->rfind(collect, 0) != 0) std::abort();
    }
    return 0;
}
