#include "card_maker_launcher.h"

#include "paths.h"
#include "process_state.h"

namespace lmn::companions {

bool IsCardMakerProcess(int pid) {
    return ProgramFileName(pid) == kCardMakerProgram;
}

void CardMakerLauncher::EditCard(const CardMakerSession& session, const std::string& cardId) {
    Start(session, CardMakerRequest::EditCard, cardId);
}

void CardMakerLauncher::BuyDiyCard(const CardMakerSession& session, const std::string& cardId,
                                   const std::string& image) {
    EnsureDirectoriesClient(deps_.programDir + "temp");
    deps_.downloadFile(session.baseUrl + "images/card_shop/diy/" + image, BoughtPicturePath(cardId));
    Start(session, CardMakerRequest::BuyDiyCard, cardId);
}

void CardMakerLauncher::PublishDiyCard(const CardMakerSession& session) {
    Start(session, CardMakerRequest::PublishDiyCard, "3");
}

std::string CardMakerLauncher::BoughtPicturePath(const std::string& cardId) const {
    std::string safeId = cardId;
    for (char& c : safeId)
        if (c == '/' || c == '\\' || c == '\0') c = '_';
    return deps_.programDir + "temp/card_no_" + safeId + "_big.jpg";
}

void CardMakerLauncher::Start(const CardMakerSession& session, CardMakerRequest request,
                              const std::string& arg) {
    std::string parameters = CardMakerParameters(session, request, arg);
    deps_.windows.CloseMatching(IsCardMakerTitle);
    deps_.startProgram(FullPath(deps_.programDir, kCardMakerProgram), {parameters});
}

}  // namespace lmn::companions
