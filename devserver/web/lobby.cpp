// The lobby script client_process/process.php: the client's lobby requests and the page's own
// login, the peer-play records. Requests are "process.php?type=[operation]&key=value..."; replies are plain
// text.
#include <cctype>
#include <string>

#include "lobby_state.h"
#include "module.h"
#include "percent_decode.h"
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

// A value of a report "ok;key=value;...".
std::string ReportValue(const std::string& report, const std::string& key) {
    size_t at = report.find(";" + key + "=");
    if (at == std::string::npos) return {};
    size_t start = at + key.size() + 2;
    return report.substr(start, report.find(';', start) - start);
}

// The pages' demo mode, handed to them with the login (demos and end-to-end tests):
//   --autoplay=1          the pages walk to a room, ask for a match and play one battle
//   --autoplay=firsthour  two battles with a rematch, then the replay and card pages
//   --autoplay=soak       battles with rematches, --autoplay-games=N of them (default 20)
//   --autoplay-pace=MS    pause before each automatic move, --autoplay-pile=N points to start with
std::string AutoplayPlan(const DevContext& ctx) {
    std::string plan;
    for (char c : ctx.Option("autoplay", "0"))
        if (std::isalnum(static_cast<unsigned char>(c))) plan += c;
    if (plan == "0" || plan.empty()) return {};
    std::string text = "&autoplay=" + plan;
    for (const char* key : {"games", "pace", "pile"}) {
        const std::string value = ctx.Option(std::string("autoplay-") + key);
        if (!value.empty()) text += std::string("&") + key + "=" + std::to_string(AtoI(value));
    }
    return text;
}

void Reply(HttpResponse& res, const std::string& text) {
    res.contentType = "text/plain; charset=gbk";
    res.body = text;
}

// The peer-play operations: address reports, pairing marks and the running match records.
bool HandleMatchOperation(const std::string& op, const HttpRequest& req, HttpResponse& res) {
    if (op == "fill_user_all_p2p_info") {
        // The report is one value (no "&"), so it can travel on inside another request.
        int id = AtoI(req.Param("userid"));
        std::string report = "ok;userid=" + std::to_string(id) + ";ip=" + req.peer +
                             ";port=11978;flag=" + req.Param("flag") + ";";
        g_lobby.StoreReport(id, report);
        Reply(res, report);
    } else if (op == "fill_user_all_p2p_info_special") {
        std::string content = req.Param("content");
        Reply(res, content.empty() ? "fail" : "ok");
        if (!content.empty()) g_lobby.StoreReport(AtoI(ReportValue(content, "userid")), content);
    } else if (op == "auto_group" || op == "quit_match") {
        Reply(res, "ok");
    } else if (op == "add_match") {
        g_lobby.AddMatch(AtoI(req.Param("userid1")), AtoI(req.Param("userid2")));
        Reply(res, "ok");
    } else if (op == "delete_match") {
        g_lobby.DeleteMatch(AtoI(req.Param("userid1")), AtoI(req.Param("userid2")));
        Reply(res, "ok");
    } else if (op == "request_oppoent") {
        Reply(res, "ok&matches=" + std::to_string(g_lobby.MatchCount()));
    } else {
        return false;
    }
    return true;
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
            Reply(res, "ok&userid=" + std::to_string(id) + "&username=" + name + AutoplayPlan(ctx));
        }
    } else if (op == "add_activep") {
        int id = AtoI(req.Param("userid"));
        g_lobby.ReportPresence(id, query);
        Reply(res, id > 0 ? "ok" : "fail");
    } else if (op == "login_out" || op == "set_inip2outip") {
        Reply(res, "ok");
    } else if (!HandleMatchOperation(op, req, res)) {
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
