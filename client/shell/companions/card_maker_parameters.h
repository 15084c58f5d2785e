// The parameter string the card maker is started with: "url=...;username=...;userid=N;type=T;arg=..."
// with the values inserted as they stand (GBK).
#pragma once

#include <string>
#include <string_view>

namespace lmn::companions {

enum class CardMakerRequest { EditCard = 1, BuyDiyCard = 2, PublishDiyCard = 3 };

struct CardMakerSession {
    std::string baseUrl;   // the current base URL, ending with "/"
    std::string userName;  // empty before login
    int userId = 0;        // 0 before login
};

// Publishing always carries the argument "3".
std::string CardMakerParameters(const CardMakerSession& session, CardMakerRequest request,
                                std::string_view arg);

}  // namespace lmn::companions
