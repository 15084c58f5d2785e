#include "maker_config.h"

#include "text.h"

namespace lmn::maker {

namespace {
constexpr const char* kSection = "common";
constexpr size_t kTextBuffer = 5000;
}  // namespace

// The file holds GBK texts; folder names are kept as native (UTF-8) paths inside the program.
MakerConfig LoadMakerConfig(const ProfileFile& file) {
    MakerConfig c;
    c.cardFolder = GbkToUtf8(file.GetString(kSection, "strCardImageSite", "", kTextBuffer));
    c.pictureFolder = GbkToUtf8(file.GetString(kSection, "strMyImageSite", "", kTextBuffer));
    c.userName = file.GetString(kSection, "strUserName", "", kTextBuffer);
    return c;
}

bool SaveMakerConfig(ProfileFile& file, const MakerConfig& config) {
    return file.WriteMany(kSection, {{"strCardImageSite", Utf8ToGbk(config.cardFolder)},
                                     {"strMyImageSite", Utf8ToGbk(config.pictureFolder)},
                                     {"strUserName", config.userName}});
}

}  // namespace lmn::maker
