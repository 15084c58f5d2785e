// The four update manifests: their entries and how local and server copies are compared.
// A manifest is an XML document whose root element holds the entries as direct children;
// names are compared exactly and other elements are ignored.
#pragma once

#include <tinyxml2.h>

#include <cstdint>
#include <string>
#include <vector>

namespace lmn::updater {

inline constexpr const char* kTotalManifest = "update/config/LMN_KX_total_update.xml";
inline constexpr const char* kUpdaterManifest = "update/config/LMN_KX_update.xml";
inline constexpr const char* kCardManifest = "update/config/LMN_KX_card_image.xml";
inline constexpr const char* kOtherManifest = "update/config/LMN_KX_other_update.xml";

struct CTotalUpdateInfo {
    std::string gameUrl;
    int32_t cardVersion = 0;
    int32_t otherVersion = 0;
};

struct CCardInfo {
    int32_t id = 0;
    int32_t pictureCount = 0;
    bool operator==(const CCardInfo&) const = default;
};

struct COtherFileInfo {
    std::string source;       // path under the base URL
    std::string destination;  // path under the updater's folder, or absolute when it holds ':'
    int32_t version = 0;
    bool operator==(const COtherFileInfo&) const = default;
};

// A card picture manifest may expand to at most this many cards; a larger one is refused.
inline constexpr size_t kMaxCards = 1000000;

// Each reader takes the document as it stands; an empty document gives the empty result.
// Missing attributes read as empty text or 0.
CTotalUpdateInfo ReadTotalInfo(const tinyxml2::XMLDocument& doc);
int32_t ReadUpdaterVersion(const tinyxml2::XMLDocument& doc);
std::string ReadUpdaterDownloadSite(const tinyxml2::XMLDocument& doc);
// False (and an empty list) when the ranges expand to more than kMaxCards cards.
bool ReadCardList(const tinyxml2::XMLDocument& doc, std::vector<CCardInfo>& cards);
std::vector<COtherFileInfo> ReadOtherFileList(const tinyxml2::XMLDocument& doc);

// Server cards whose id the local list lacks, in server order.
std::vector<CCardInfo> NewCards(const std::vector<CCardInfo>& local, const std::vector<CCardInfo>& server);
// Server entries unless the local list has the same source path with a version not lower,
// in server order.
std::vector<COtherFileInfo> FilesToFetch(const std::vector<COtherFileInfo>& local,
                                         const std::vector<COtherFileInfo>& server);

}  // namespace lmn::updater
