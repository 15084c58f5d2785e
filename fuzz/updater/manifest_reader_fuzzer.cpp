// The manifest readers on a local copy: the bytes as a whole XML file, read into all four
// results, and the comparisons of the card and file lists against a fixed local list.
#include <cstddef>
#include <cstdint>
#include <string>

#include "manifests.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace lmn::updater;
    tinyxml2::XMLDocument doc;
    if (doc.Parse(reinterpret_cast<const char*>(data), size) != tinyxml2::XML_SUCCESS) return 0;
    CTotalUpdateInfo total = ReadTotalInfo(doc);
    (void)total;
    ReadUpdaterVersion(doc);
    ReadUpdaterDownloadSite(doc);
    std::vector<CCardInfo> cards;
    ReadCardList(doc, cards);
    NewCards({{1, 6}, {4001, 4}}, cards);
    FilesToFetch({{"files/a.txt", "a.txt", 1}}, ReadOtherFileList(doc));
    return 0;
}
