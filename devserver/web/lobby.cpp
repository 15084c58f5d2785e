// The lobby script client_process/process.php: the client's lobby requests and the page's own
// login. Requests are "process.php?type=[operation]&key=value..."; replies are plain text.
#include <string>

#include "lobby_state.h"
#include "module.h"
#include "text.h"

namespace lmn::dev {

namespace {

LobbyState g_lobby;

// The operation word of "type=[word]&...".
std::string Operation(const std::string& query) {
    size_t open = query.find("type=[");
    if (open == std::string::npos) return {};
    size_t close = query.find(']', open);
    return close == std::string::npos ? "" : query.substr(open + 6, close - open - 6);
}

void Reply(HttpResponse& res, const std::string& text) {
    res.contentType = "text/plain; charset=gbk";
    res.body = text;
}

bool HandleLobby(const DevContext& ctx, const HttpRequest& req, HttpResponse& res) {
    std::string query = PercentDecode(req.query, false);
    std::string op = Operation(query);
    if (op == "get_out_ip") {
        Reply(res, req.peer);
    } else if (op == "get_srv_ip") {
        Reply(res, "RequestIpInterval=" + ctx.Option("srv-ip-interval", "600") +
                       "&IP=" + ctx.Option("room-host", ctx.host) +
                       "&ConnectSrvInterval=" + ctx.Option("connect-interval", "300"));
    } else if (op == "login") {
        // The pages' own login: any name is welcome, the password is not checked.
        std::string name = req.Param("username");
        if (name.empty()) {
            Reply(res, "fail");
        } else {
            int id = g_lobby.Login(name);
            Reply(res, "ok&userid=" + std::to_string(id) + "&username=" + name);
        }
    } else if (op == "add_activep") {
        int id = AtoI(req.Param("userid"));
        g_lobby.ReportPresence(id, query);
        Reply(res, id > 0 ? "ok" : "fail");
    } else if (op == "login_out" || op == "set_inip2outip") {
        Reply(res, "ok");
    } else {
        return false;  // other modules may know the operation
    }
    return true;
}

bool Start(DevContext& ctx) {
    const DevContext* c = &ctx;
    ctx.http->Route("/game/zrk/client_process/process.php",
                    [c](const HttpRequest& req, HttpResponse& res) { return HandleLobby(*c, req, res); });
    return true;
}

const bool registered = RegisterModule({"web", Start, {}});

}  // namespace

}  // namespace lmn::dev
