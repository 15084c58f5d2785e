// The stand-in server's shelf of shared replays that players can collect by id: three demo
// battles, plus every ROOT/replays/<id>.txt (its content is the whole answer text, so tests can
// offer any names, save time and data).
#pragma once

#include <string>

namespace lmn::dev {

struct SharedReplay {
    std::string userName1;
    std::string userName2;
    std::string saveTime;  // "2009-03-04 05:06:07"
    std::string movieData;
};

// The lobby script's answer to "[record_collect]&id=<id>": "username1=..&username2=..&
// saveTime=..&movie_data=.."; empty text for an unknown id.
std::string CollectAnswer(const std::string& root, const std::string& id);

}  // namespace lmn::dev
