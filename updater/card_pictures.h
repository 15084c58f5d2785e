// Card pictures: the pictures of cards new in the server's card picture manifest, and the
// small pictures of the special cards 4001-4055, which are repaired on every run.
#pragma once

#include <string>
#include <vector>

#include "update_session.h"

namespace lmn::updater {

// The relative paths of a card's pictures for its picture count (6, 4 or 3; none otherwise),
// in download order.
std::vector<std::string> CardPicturePaths(int32_t cardId, int32_t pictureCount);

// Fetches every picture of each card the local manifest lacks, then stores the server's
// manifest (only when there was a new card).
void UpdateCardPictures(UpdateSession& session);

// When one of the markers card_no_4001..4003_mini_t.jpg is missing, fetches every missing
// card_no_<id>_mini_t.jpg of 4001-4055.
void RepairSpecialCardPictures(UpdateSession& session);

}  // namespace lmn::updater
