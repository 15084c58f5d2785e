#include "card_maker_parameters.h"

namespace lmn::companions {

std::string CardMakerParameters(const CardMakerSession& session, CardMakerRequest request,
                                std::string_view arg) {
    std::string argument = request == CardMakerRequest::PublishDiyCard ? "3" : std::string(arg);
    return "url=" + session.baseUrl + ";username=" + session.userName +
           ";userid=" + std::to_string(session.userId) +
           ";type=" + std::to_string(static_cast<int>(request)) + ";arg=" + argument;
}

}  // namespace lmn::companions
