// The card maker's three keys in the shared config.ini, section "common".
#pragma once

#include <string>

#include "profile.h"

namespace lmn::maker {

struct MakerConfig {
    std::string cardFolder;     // "strCardImageSite": folder of the card picture chosen last (UTF-8 path)
    std::string pictureFolder;  // "strMyImageSite": folder of the new picture chosen last (UTF-8 path)
    std::string userName;       // "strUserName": the player's name in the game (GBK)
};

// Reads the three keys in order; missing keys are empty.
MakerConfig LoadMakerConfig(const ProfileFile& file);
// Writes all three keys in one locked write; every other key of the file stays as it was.
bool SaveMakerConfig(ProfileFile& file, const MakerConfig& config);

}  // namespace lmn::maker
