#include <gtest/gtest.h>

#include "canned_server.h"
#include "http_xml_document.h"
#include "manifests.h"

namespace lmn::updater {
namespace {

using lmn::test::CannedServer;
using lmn::test::HttpAnswer;

const std::string kManifest = "<?xml version=\"1.0\"?><u><version>4</version></u>";

TEST(LoadHttpXml, SendsTheWholeUrlOnAnHttp10RequestToTheUrlsPort) {
    CannedServer server([](const std::string&) { return HttpAnswer(200, kManifest); });
    CHttpXmlDocument doc;
    std::string url = server.url("/game/zrk/update/config/LMN_KX_update.xml");
    ASSERT_TRUE(doc.LoadHttpXml(url, 80));
    EXPECT_EQ(ReadUpdaterVersion(doc), 4);
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0], "GET " + url + " HTTP/1.0\r\n\r\n");
}

TEST(LoadHttpXml, FailuresLeaveAnEmptyDocument) {
    std::string answer;
    CannedServer server([&](const std::string&) { return answer; });
    CHttpXmlDocument doc;
    auto load = [&](const std::string& a) {
        answer = a;
        return doc.LoadHttpXml(server.url("/m.xml"), 80);
    };
    ASSERT_TRUE(load(HttpAnswer(200, kManifest)));
    EXPECT_FALSE(load("HTTP/1.0 200 OK\r\n\r\n" + kManifest));  // no Content-Length
    EXPECT_EQ(doc.RootElement(), nullptr);
    EXPECT_FALSE(load("HTTP/1.0 200 OK\r\nContent-Length: 500\r\n\r\n" + kManifest));  // cut short
    EXPECT_FALSE(doc.complete());
    // A complete answer that does not parse is a failed read, not an empty manifest.
    std::string broken = "<?xml version=\"1.0\"?><u><version>4</versio></u>";
    EXPECT_FALSE(load(HttpAnswer(200, broken)));
    EXPECT_TRUE(doc.complete());
}

TEST(LoadHttpXml, AnswerLargerThanTheBufferFailsWithoutOverrun) {
    std::string big =
        "<?xml version=\"1.0\"?><u>" + std::string(CHttpXmlDocument::kReceiveBufferSize, 'x') + "</u>";
    CannedServer server([&](const std::string&) { return HttpAnswer(200, big); });
    CHttpXmlDocument doc;
    EXPECT_FALSE(doc.LoadHttpXml(server.url("/m.xml"), 80));

    // Just inside the buffer still loads.
    std::string fits =
        "<?xml version=\"1.0\"?><u>" + std::string(CHttpXmlDocument::kReceiveBufferSize - 200, 'x') + "</u>";
    CannedServer near([&](const std::string&) { return HttpAnswer(200, fits); });
    EXPECT_TRUE(doc.LoadHttpXml(near.url("/m.xml"), 80));
}

TEST(LoadHttpXml, UnreachableOrMalformedUrlFails) {
    CHttpXmlDocument doc;
    EXPECT_FALSE(doc.LoadHttpXml("http://127.0.0.1:1/m.xml", 80));
    EXPECT_FALSE(doc.LoadHttpXml("http://127.0.0.1", 80));
    EXPECT_FALSE(doc.LoadHttpXml("127.0.0.1/m.xml", 80));
    EXPECT_FALSE(doc.LoadHttpXml("http://no-such-host.invalid/m.xml", 80));
}

}  // namespace
}  // namespace lmn::updater
