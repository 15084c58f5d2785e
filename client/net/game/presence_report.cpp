#include "presence_report.h"

#include "lobby_requests.h"
#include "text.h"

namespace lmn::game {

bool PresenceReplyAccepted(const std::string& reply, const std::string& path) {
    return reply.empty() || reply == "ok" || GbkToLower(reply) == GbkToLower(path);
}

std::string SendPresenceReport(const FetchFn& fetch, const PresenceInput& in) {
    const std::string reply = fetch(AddActivepRequest(in.baseUrl, in.userId, in.localIp, in.path, in.outIp));
    if (PresenceReplyAccepted(reply, in.path)) return {};
    return in.baseUrl + "index.php?type=client&path=" + in.path + "&ip=" + in.localIp +
           "&username=" + in.userName + "&password=" + in.password +
           "&refresh=1&binip2outip=" + (in.outIp ? "1" : "0");
}

}  // namespace lmn::game
