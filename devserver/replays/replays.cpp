// The lobby script's replay collection: "client_process/process.php?type=[record_collect]&id=N"
// answers the shared replay N. Every other operation is left to the other modules.
#include "module.h"
#include "replay_shelf.h"

namespace lmn::dev {

namespace {

bool Start(DevContext& ctx) {
    const DevContext* c = &ctx;
    ctx.http->Route("/game/zrk/client_process/process.php", [c](const HttpRequest& req, HttpResponse& res) {
        if (req.Param("type") != "[record_collect]") return false;
        std::string id = req.Param("id");
        LogLine(*c, "replays", "collect id=" + id);
        res.contentType = "text/plain; charset=gbk";
        res.body = CollectAnswer(c->root, id);
        return true;
    });
    return true;
}

const bool registered = RegisterModule({"replays", Start, {}});

}  // namespace

}  // namespace lmn::dev
