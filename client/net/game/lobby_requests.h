// The lobby script's requests: base URL + "client_process/process.php?type=[operation]" and
// the parameters as they stand (nothing is escaped).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "game_env.h"

namespace lmn::game {

std::string LobbyRequest(std::string_view baseUrl, std::string_view operation, std::string_view rest = {});

// Whether url is a lobby request (base + "client_process/process.php?type=[" and more) below
// one of the two base URLs; an empty base stands for none.
bool IsLobbyRequestBelow(std::string_view url, std::string_view baseUrl, std::string_view roomBaseUrl);

// The own address report: user id, name, server-area id, room id and the tick count as flag.
std::string P2pInfoRequest(std::string_view baseUrl, const PlayerContext& player, std::uint32_t tickMs);
std::string P2pInfoSpecialRequest(std::string_view baseUrl, std::string_view content);
std::string AutoGroupRequest(std::string_view baseUrl);
std::string AddMatchRequest(std::string_view baseUrl, int ownId, int opponentId);
std::string DeleteMatchRequest(std::string_view baseUrl, int ownId, int opponentId);
std::string QuitMatchRequest(std::string_view baseUrl);
std::string RequestOpponentRequest(std::string_view baseUrl);
std::string AddActivepRequest(std::string_view baseUrl, int userId, std::string_view ip,
                              std::string_view path, bool outIp);

}  // namespace lmn::game
