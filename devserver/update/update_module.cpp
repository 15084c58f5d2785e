// The stand-in update server: the update-address service, the update tree (see update_tree.h)
// at the base URL and its slow lane. Every request it answers is logged to ROOT/log/update.log.
#include <filesystem>
#include <fstream>
#include <memory>

#include "module.h"
#include "slow_lane.h"
#include "update_tree.h"

namespace lmn::dev {

namespace {

std::unique_ptr<SlowLane> g_slowLane;

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool IsStaticPage(const DevContext& ctx, const std::string& path) {
    std::error_code ec;
    return path.find("..") == std::string::npos && std::filesystem::is_regular_file(ctx.www + path, ec);
}

bool Start(DevContext& ctx) {
    SeedUpdateTree(ctx);
    ctx.http->Route("/game/zrk/get_update_url.php", [&ctx](const HttpRequest& req, HttpResponse& res) {
        LogLine(ctx, "update", req.method + " " + req.path);
        res.contentType = "text/html; charset=gbk";
        res.body = UpdateAddressAnswer(ctx);
        return true;
    });
    ctx.http->Route("/game/zrk/", [&ctx](const HttpRequest& req, HttpResponse& res) {
        UpdateTreeFile file = FindUpdateTreeFile(ctx, req.path);
        // A path that is neither in the tree nor a static page is a request for a missing
        // update file: logged, then answered by the static pages' not-found page.
        if (file.kind == UpdateTreeFile::Kind::missing) {
            if (!IsStaticPage(ctx, req.path)) LogLine(ctx, "update", req.method + " " + req.path);
            return false;
        }
        LogLine(ctx, "update", req.method + " " + req.path);
        if (file.kind == UpdateTreeFile::Kind::raw) {
            res.raw = ReadWhole(file.native);
            res.useRaw = true;
        } else {
            res.contentType = "application/octet-stream";
            res.body = ReadWhole(file.native);
        }
        return true;
    });
    int port = std::atoi(ctx.Option("update-slow-port", "8080").c_str());
    g_slowLane = std::make_unique<SlowLane>(ctx, static_cast<uint16_t>(port));
    return g_slowLane->Start();
}

void Stop() {
    g_slowLane.reset();
}

const bool registered = RegisterModule({"update", Start, Stop});

}  // namespace

}  // namespace lmn::dev
