#include "lobby_requests.h"

namespace lmn::game {

std::string LobbyRequest(std::string_view baseUrl, std::string_view operation, std::string_view rest) {
    std::string url(baseUrl);
    url += "client_process/process.php?type=[";
    url += operation;
    url += ']';
    url += rest;
    return url;
}

bool IsLobbyRequestBelow(std::string_view url, std::string_view baseUrl, std::string_view roomBaseUrl) {
    constexpr std::string_view kScript = "client_process/process.php?type=[";
    for (std::string_view base : {baseUrl, roomBaseUrl}) {
        if (base.empty() || url.size() <= base.size() + kScript.size()) continue;
        if (url.substr(0, base.size()) == base && url.substr(base.size(), kScript.size()) == kScript)
            return true;
    }
    return false;
}

std::string P2pInfoRequest(std::string_view baseUrl, const PlayerContext& player, std::uint32_t tickMs) {
    return LobbyRequest(baseUrl, "fill_user_all_p2p_info",
                        "&userid=" + std::to_string(player.userId) + "&username=" + player.userName +
                            "&srvareaid=" + std::to_string(player.serverId) +
                            "&roomid=" + std::to_string(player.roomId) +
                            "&flag=" + std::to_string(static_cast<std::int32_t>(tickMs)));
}

std::string P2pInfoSpecialRequest(std::string_view baseUrl, std::string_view content) {
    return LobbyRequest(baseUrl, "fill_user_all_p2p_info_special", "&content=" + std::string(content));
}

std::string AutoGroupRequest(std::string_view baseUrl) {
    return LobbyRequest(baseUrl, "auto_group", "&arc=0");
}

std::string AddMatchRequest(std::string_view baseUrl, int ownId, int opponentId) {
    return LobbyRequest(baseUrl, "add_match",
                        "&userid1=" + std::to_string(ownId) + "&userid2=" + std::to_string(opponentId));
}

std::string DeleteMatchRequest(std::string_view baseUrl, int ownId, int opponentId) {
    return LobbyRequest(baseUrl, "delete_match",
                        "&userid1=" + std::to_string(ownId) + "&userid2=" + std::to_string(opponentId));
}

std::string QuitMatchRequest(std::string_view baseUrl) {
    return LobbyRequest(baseUrl, "quit_match");
}

std::string RequestOpponentRequest(std::string_view baseUrl) {
    return LobbyRequest(baseUrl, "request_oppoent");
}

std::string AddActivepRequest(std::string_view baseUrl, int userId, std::string_view ip,
                              std::string_view path, bool outIp) {
    std::string url(baseUrl);
    url += "client_process/process.php?type=[add_activep]&userid=" + std::to_string(userId) + "&ip=";
    url += ip;
    url += "&path=";
    url += path;
    url += outIp ? "&binip2outip=1" : "&binip2outip=0";
    return url;
}

}  // namespace lmn::game
