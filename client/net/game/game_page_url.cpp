#include "game_page_url.h"

namespace lmn::game {

std::string GamePageUrl(std::string_view baseUrl, const GamePageParams& p) {
    std::string url(baseUrl);
    url += "gameclient_fc.php?first=" + std::to_string(p.first);
    if (p.againstComputer) url += "&AI=1";
    url += "&roomid=" + std::to_string(p.roomId) + "&userid1=" + std::to_string(p.ownId) +
           "&userid2=" + std::to_string(p.opponentId);
    url += "&seed1=" + (p.againstComputer ? p.seeds1 : std::string("100"));
    url += "&seed2=" + (p.againstComputer ? p.seeds2 : std::string("200"));
    return url;
}

}  // namespace lmn::game
