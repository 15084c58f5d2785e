#include "manifest_reader.h"

#include <string_view>

#include "http_xml_document.h"
#include "paths.h"
#include "text.h"

namespace lmn::updater {

namespace {

constexpr int kManifestPort = 80;

// The local copy, parsed; an empty document when it is missing or does not parse. It is read
// from its first "<?xml" on, as the server's copy is, so that a stored copy reads like the
// answer it was stored from.
void LoadLocal(const UpdateSession& session, const char* path, tinyxml2::XMLDocument& doc) {
    std::string text;
    if (!ReadFile(session.FullPath(path), text)) return doc.Clear();
    std::string_view xml = text;
    if (size_t at = xml.find("<?xml"); at != std::string_view::npos) xml.remove_prefix(at);
    if (doc.Parse(xml.data(), xml.size()) != tinyxml2::XML_SUCCESS) doc.Clear();
}

std::string FailureReason(const char* path) {
    std::string name = path;
    return Utf8ToGbk("读取") + name.substr(name.rfind('/') + 1) + Utf8ToGbk("失败");
}

// The server's copy; the failure prompt when it does not arrive whole and well-formed.
void LoadServer(UpdateSession& session, const char* path, CHttpXmlDocument& doc) {
    if (!doc.LoadHttpXml(session.baseUrl() + path, kManifestPort)) session.UpdateFailed(FailureReason(path));
}

}  // namespace

CTotalUpdateInfo ReadLocalTotalInfo(const UpdateSession& session) {
    tinyxml2::XMLDocument doc;
    LoadLocal(session, kTotalManifest, doc);
    return ReadTotalInfo(doc);
}

CTotalUpdateInfo ReadServerTotalInfo(UpdateSession& session) {
    CHttpXmlDocument doc(session.manifestBounds());
    LoadServer(session, kTotalManifest, doc);
    return ReadTotalInfo(doc);
}

int32_t ReadLocalUpdaterVersion(const UpdateSession& session) {
    tinyxml2::XMLDocument doc;
    LoadLocal(session, kUpdaterManifest, doc);
    return ReadUpdaterVersion(doc);
}

int32_t ReadServerUpdaterVersion(UpdateSession& session) {
    CHttpXmlDocument doc(session.manifestBounds());
    LoadServer(session, kUpdaterManifest, doc);
    return ReadUpdaterVersion(doc);
}

std::string ReadServerUpdaterDownloadSite(UpdateSession& session) {
    CHttpXmlDocument doc(session.manifestBounds());
    LoadServer(session, kUpdaterManifest, doc);
    return ReadUpdaterDownloadSite(doc);
}

std::vector<CCardInfo> ReadLocalCardList(const UpdateSession& session) {
    tinyxml2::XMLDocument doc;
    LoadLocal(session, kCardManifest, doc);
    std::vector<CCardInfo> cards;
    ReadCardList(doc, cards);
    return cards;
}

std::vector<CCardInfo> ReadServerCardList(UpdateSession& session) {
    CHttpXmlDocument doc(session.manifestBounds());
    LoadServer(session, kCardManifest, doc);
    std::vector<CCardInfo> cards;
    if (!ReadCardList(doc, cards)) session.UpdateFailed(FailureReason(kCardManifest));
    return cards;
}

std::vector<COtherFileInfo> ReadLocalOtherFileList(const UpdateSession& session) {
    tinyxml2::XMLDocument doc;
    LoadLocal(session, kOtherManifest, doc);
    return ReadOtherFileList(doc);
}

std::vector<COtherFileInfo> ReadServerOtherFileList(UpdateSession& session) {
    CHttpXmlDocument doc(session.manifestBounds());
    LoadServer(session, kOtherManifest, doc);
    return ReadOtherFileList(doc);
}

}  // namespace lmn::updater
