// The FTP account the game server hands out for one publish attempt, and the names the two
// pictures get on the FTP server. The account lives only in memory.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace lmn::maker {

struct FtpAccount {
    std::string host;  // may carry ":port"; the default FTP port otherwise
    std::string user;
    std::string password;
    std::string folder;     // folder on the FTP server that receives the pictures
    std::string pointCost;  // activity points publishing costs, shown to the player
};

// The reply must hold exactly five ';'-separated fields (a trailing ';' makes six).
std::optional<FtpAccount> ParseFtpAccount(std::string_view reply);

struct RemoteNames {
    std::string big;    // "YYYY-MM-DD HHMMSS <userid>_big.jpg"
    std::string small;  // "YYYY-MM-DD HHMMSS <userid>_small.jpg"
};
RemoteNames MakeRemoteNames(const std::tm& localTime, int userId);

}  // namespace lmn::maker
