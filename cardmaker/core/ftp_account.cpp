#include "ftp_account.h"

#include <cstdio>

#include "parameters.h"

namespace lmn::maker {

namespace {
constexpr size_t kReplyPieces = 500;
constexpr size_t kAccountFields = 5;
}  // namespace

std::optional<FtpAccount> ParseFtpAccount(std::string_view reply) {
    std::vector<std::string> f = SplitString(std::string(reply) + ";", kReplyPieces);
    if (f.size() != kAccountFields) return std::nullopt;
    return FtpAccount{f[0], f[1], f[2], f[3], f[4]};
}

RemoteNames MakeRemoteNames(const std::tm& t, int userId) {
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d%02d%02d %d", t.tm_year + 1900, t.tm_mon + 1,
                  t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, userId);
    return {std::string(stamp) + "_big.jpg", std::string(stamp) + "_small.jpg"};
}

}  // namespace lmn::maker
