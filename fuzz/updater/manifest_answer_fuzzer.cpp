// The manifest request's answer: HTTP header reading, then the XML parse and every manifest
// reader on whatever parsed.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "http_answer.h"
#include "manifests.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace lmn::updater;
    ManifestAnswer answer = ReadManifestAnswer(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!answer.legal) return 0;
    tinyxml2::XMLDocument doc;
    doc.Parse(answer.xml.data(), answer.xml.size());
    ReadTotalInfo(doc);
    ReadUpdaterVersion(doc);
    ReadUpdaterDownloadSite(doc);
    std::vector<CCardInfo> cards;
    ReadCardList(doc, cards);
    NewCards(cards, cards);
    std::vector<COtherFileInfo> files = ReadOtherFileList(doc);
    FilesToFetch(files, files);
    return 0;
}
