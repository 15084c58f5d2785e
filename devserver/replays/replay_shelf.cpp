#include "replay_shelf.h"

#include <map>

#include "paths.h"

namespace lmn::dev {

namespace {

const std::map<std::string, SharedReplay>& DemoReplays() {
    static const std::map<std::string, SharedReplay> demos = {
        {"1",
         {"alice", "bob", "2009-03-04 05:06:07", "start^alice^bob turn^1 alice^deal^3 bob^deal^5 end^bob"}},
        {"2", {"carol", "dave", "2010-11-12 13:14:15", "start^carol^dave turn^1 carol^deal^2 end^carol"}},
        // A battle of the devserver's light-point page, which its replay page can play back.
        {"3",
         {"hikaru", "tsuki", "2025-01-12 20:31:05", "me 3^op 2^me 1^op 3^me 3^op 1^me 2^op 3^me 1^op 1^"}},
    };
    return demos;
}

bool IsPlainId(const std::string& id) {
    if (id.empty() || id.size() > 20) return false;
    for (char c : id)
        if (c < '0' || c > '9') return false;
    return true;
}

}  // namespace

std::string CollectAnswer(const std::string& root, const std::string& id) {
    if (!IsPlainId(id)) return {};
    std::string stored;
    if (ReadFile(root + "/replays/" + id + ".txt", stored)) return stored;
    auto demo = DemoReplays().find(id);
    if (demo == DemoReplays().end()) return {};
    const SharedReplay& r = demo->second;
    return "username1=" + r.userName1 + "&username2=" + r.userName2 + "&saveTime=" + r.saveTime +
           "&movie_data=" + r.movieData;
}

}  // namespace lmn::dev
