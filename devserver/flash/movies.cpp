// The game server's Flash movies, below /game/zrk/flash/: NAME.swf from the movie folder the build
// compiles them into (--movies=DIR; by default the folder "movies" beside the devserver program).
// Only plain names ending in ".swf" are served.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "module.h"

namespace lmn::dev {

namespace {

std::string g_movies;

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

bool Start(DevContext& ctx) {
    g_movies = ctx.Option("movies", DefaultMovies());
    ctx.http->Route("/game/zrk/flash/", Handle);
    return true;
}

const bool registered = RegisterModule({"flash", Start, {}});

}  // namespace

}  // namespace lmn::dev
