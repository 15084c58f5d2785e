#include "card_pictures.h"

#include "download.h"
#include "manifest_reader.h"
#include "paths.h"

namespace lmn::updater {

namespace {

constexpr int32_t kFirstSpecialCard = 4001;
constexpr int32_t kLastSpecialCard = 4055;
constexpr int32_t kSpecialMarkers = 3;

std::string CardPicturePath(int32_t cardId, const char* suffix) {
    return "images/card/card_no_" + std::to_string(cardId) + suffix;
}

void Fetch(UpdateSession& session, const std::string& relative) {
    DownloadWithRetry(session, session.baseUrl() + relative, session.FullPath(relative));
}

}  // namespace

std::vector<std::string> CardPicturePaths(int32_t cardId, int32_t pictureCount) {
    static const char* const kSuffixes[] = {"_big.jpg",    "_small.jpg",  "_mini.jpg",
                                            "_mini_t.jpg", "_mini_d.jpg", "_mini_d_t.jpg"};
    if (pictureCount != 6 && pictureCount != 4 && pictureCount != 3) return {};
    std::vector<std::string> paths;
    for (int32_t i = 0; i < pictureCount; ++i) paths.push_back(CardPicturePath(cardId, kSuffixes[i]));
    return paths;
}

void UpdateCardPictures(UpdateSession& session) {
    std::vector<CCardInfo> local = ReadLocalCardList(session);
    std::vector<CCardInfo> server = ReadServerCardList(session);
    std::vector<CCardInfo> fresh = NewCards(local, server);
    if (fresh.empty()) return;
    for (const auto& card : fresh)
        for (const auto& path : CardPicturePaths(card.id, card.pictureCount)) Fetch(session, path);
    Fetch(session, kCardManifest);
}

void RepairSpecialCardPictures(UpdateSession& session) {
    bool allMarkers = true;
    for (int32_t id = kFirstSpecialCard; id < kFirstSpecialCard + kSpecialMarkers && allMarkers; ++id)
        allMarkers = PathExists(session.FullPath(CardPicturePath(id, "_mini_t.jpg")));
    if (allMarkers) return;
    for (int32_t id = kFirstSpecialCard; id <= kLastSpecialCard; ++id) {
        std::string path = CardPicturePath(id, "_mini_t.jpg");
        if (!PathExists(session.FullPath(path))) Fetch(session, path);
    }
}

}  // namespace lmn::updater
