#include "manifests.h"

#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "text.h"

namespace lmn::updater {

namespace {

using tinyxml2::XMLDocument;
using tinyxml2::XMLElement;

std::string Attribute(const XMLElement& e, const char* name) {
    const char* value = e.Attribute(name);
    return value ? value : "";
}

int32_t NumberAttribute(const XMLElement& e, const char* name) {
    return AtoI(Attribute(e, name));
}

// Calls visit for every direct child element of the root named `name`, in document order.
template <typename Visit>
void ForEachEntry(const XMLDocument& doc, std::string_view name, Visit visit) {
    const XMLElement* root = doc.RootElement();
    if (!root) return;
    for (const XMLElement* e = root->FirstChildElement(); e; e = e->NextSiblingElement())
        if (name == e->Name()) visit(*e);
}

// The value of the element's first child node (its text), or null when it has none.
const char* Content(const XMLElement& e) {
    const tinyxml2::XMLNode* first = e.FirstChild();
    return first ? first->Value() : nullptr;
}

const char* FirstContent(const XMLDocument& doc, std::string_view name) {
    const char* found = nullptr;
    ForEachEntry(doc, name, [&](const XMLElement& e) {
        if (!found) found = Content(e);
    });
    return found;
}

}  // namespace

CTotalUpdateInfo ReadTotalInfo(const XMLDocument& doc) {
    CTotalUpdateInfo info;
    const XMLElement* root = doc.RootElement();
    if (!root) return info;
    for (const XMLElement* e = root->FirstChildElement(); e; e = e->NextSiblingElement()) {
        std::string_view name = e->Name();
        if (name == "gameurl")
            info.gameUrl = Attribute(*e, "url");
        else if (name == "cardimage")
            info.cardVersion = NumberAttribute(*e, "version");
        else if (name == "otherfile")
            info.otherVersion = NumberAttribute(*e, "version");
    }
    return info;
}

int32_t ReadUpdaterVersion(const XMLDocument& doc) {
    const char* content = FirstContent(doc, "version");
    return content ? AtoI(content) : 0;
}

std::string ReadUpdaterDownloadSite(const XMLDocument& doc) {
    const char* content = FirstContent(doc, "downloadsite");
    return content ? content : "";
}

bool ReadCardList(const XMLDocument& doc, std::vector<CCardInfo>& cards) {
    cards.clear();
    bool tooMany = false;
    ForEachEntry(doc, "cardinfo", [&](const XMLElement& e) {
        int64_t start = NumberAttribute(e, "startid");
        int64_t end = NumberAttribute(e, "endid");
        int32_t count = NumberAttribute(e, "imgcount");
        if (tooMany || end < start) return;
        if (static_cast<uint64_t>(end - start) >= kMaxCards - cards.size()) {
            tooMany = true;
            return;
        }
        for (int64_t id = start; id <= end; ++id) cards.push_back({static_cast<int32_t>(id), count});
    });
    if (tooMany) cards.clear();
    return !tooMany;
}

std::vector<COtherFileInfo> ReadOtherFileList(const XMLDocument& doc) {
    std::vector<COtherFileInfo> files;
    ForEachEntry(doc, "fi", [&](const XMLElement& e) {
        files.push_back({Attribute(e, "sf"), Attribute(e, "df"), NumberAttribute(e, "ver")});
    });
    return files;
}

std::vector<CCardInfo> NewCards(const std::vector<CCardInfo>& local, const std::vector<CCardInfo>& server) {
    std::unordered_set<int32_t> known;
    for (const auto& card : local) known.insert(card.id);
    std::vector<CCardInfo> fresh;
    for (const auto& card : server)
        if (!known.count(card.id)) fresh.push_back(card);
    return fresh;
}

std::vector<COtherFileInfo> FilesToFetch(const std::vector<COtherFileInfo>& local,
                                         const std::vector<COtherFileInfo>& server) {
    std::unordered_map<std::string, int32_t> newest;  // highest local version of each source path
    for (const auto& have : local) {
        auto [it, inserted] = newest.emplace(have.source, have.version);
        if (!inserted && have.version > it->second) it->second = have.version;
    }
    std::vector<COtherFileInfo> fetch;
    for (const auto& wanted : server) {
        auto it = newest.find(wanted.source);
        if (it == newest.end() || it->second < wanted.version) fetch.push_back(wanted);
    }
    return fetch;
}

}  // namespace lmn::updater
