// The game server's Flash movies, below /game/zrk/flash/: NAME.swf from the movie folder the build
// compiles them into (--movies=DIR; by default the folder "movies" beside the devserver program).
// Only plain names ending in ".swf" are served.
// js/flash_battle.js tells the battle page whether to play its game inside the movie
// flash/battle.swf (--flash-battle=1) or as HTML (the default; the page parameter flash=1 also
// asks for the movie).
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "module.h"

namespace lmn::dev {

namespace {

std::string g_movies;
bool g_flashBattle = false;

std::string DefaultMovies() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return (exe.parent_path() / "movies").string();
}

bool IsMovieName(const std::string& name) {
    if (name.size() < 5 || name.compare(name.size() - 4, 4, ".swf") != 0 || name.front() == '.') return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
               c == '_' || c == '-';
    });
}

bool Handle(const HttpRequest& req, HttpResponse& res) {
    const std::string name = req.path.substr(std::string("/game/zrk/flash/").size());
    if (!IsMovieName(name)) return false;
    std::ifstream in(g_movies + "/" + name, std::ios::binary);
    if (!in) return false;
    std::stringstream bytes;
    bytes << in.rdbuf();
    res.body = bytes.str();
    res.contentType = "application/x-shockwave-flash";
    return true;
}

bool AnswerBattleMode(const HttpRequest& req, HttpResponse& res) {
    if (req.path != "/game/zrk/js/flash_battle.js") return false;
    res.contentType = "text/javascript; charset=utf-8";
    res.body = std::string("var flashBattle = ") + (g_flashBattle ? "true" : "false") + ";\n";
    return true;
}

bool Start(DevContext& ctx) {
    g_movies = ctx.Option("movies", DefaultMovies());
    g_flashBattle = ctx.Option("flash-battle", "0") == "1";
    ctx.http->Route("/game/zrk/flash/", Handle);
    ctx.http->Route("/game/zrk/js/flash_battle.js", AnswerBattleMode);
    return true;
}

const bool registered = RegisterModule({"flash", Start, {}});

}  // namespace

}  // namespace lmn::dev
