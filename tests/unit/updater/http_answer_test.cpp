#include "http_answer.h"

#include <gtest/gtest.h>

#include "request_target.h"

namespace lmn::updater {
namespace {

const std::string kXml = "<?xml version=\"1.0\"?><r><version>3</version></r>";

std::string Answer(const std::string& lengthHeader, const std::string& body) {
    return "HTTP/1.1 200 OK\r\n" + lengthHeader + "\r\nContent-Type: text/xml\r\n\r\n" + body;
}

TEST(ManifestAnswer, MatchingLengthIsComplete) {
    std::string received = Answer("Content-Length: " + std::to_string(kXml.size()), kXml);
    auto a = ReadManifestAnswer(received);
    EXPECT_TRUE(a.legal);
    EXPECT_TRUE(a.complete);
    EXPECT_EQ(a.xml, kXml);
}

TEST(ManifestAnswer, WithoutLengthOrXmlIsNotLegal) {
    EXPECT_FALSE(ReadManifestAnswer(Answer("X-Other: 1", kXml)).legal);
    EXPECT_FALSE(ReadManifestAnswer(Answer("Content-Length: 0", kXml)).legal);
    EXPECT_FALSE(ReadManifestAnswer(Answer("Content-Length: 20", "<r>no declaration</r>")).legal);
    EXPECT_FALSE(ReadManifestAnswer("").legal);
    EXPECT_FALSE(ReadManifestAnswer("Content-Length:").legal);
}

TEST(ManifestAnswer, LengthWithoutBlankLosesItsFirstDigit) {
    std::string body(1200 - 28, 'x');
    std::string xml = "<?xml version=\"1.0\"?><r>" + body + "</r>";
    ASSERT_EQ(xml.size(), 1200u);
    auto a = ReadManifestAnswer(Answer("Content-Length:1200", xml));
    EXPECT_EQ(a.declared, 200);
    EXPECT_FALSE(a.complete);
}

TEST(ManifestAnswer, ByteOrderMarkIsWithinTolerance) {
    std::string bom = "\xEF\xBB\xBF";
    std::string received = Answer("Content-Length: " + std::to_string(kXml.size() + 3), bom + kXml);
    auto a = ReadManifestAnswer(received);
    EXPECT_TRUE(a.complete);
    EXPECT_EQ(a.xml, kXml);
    auto four = ReadManifestAnswer(Answer("Content-Length: " + std::to_string(kXml.size() + 4), kXml));
    EXPECT_FALSE(four.complete);
    auto longer = ReadManifestAnswer(Answer("Content-Length: " + std::to_string(kXml.size() - 3), kXml));
    EXPECT_TRUE(longer.complete);
}

TEST(ManifestAnswer, CutAnswerIsIncomplete) {
    auto a = ReadManifestAnswer(Answer("Content-Length: " + std::to_string(kXml.size()), kXml.substr(0, 20)));
    EXPECT_TRUE(a.legal);
    EXPECT_FALSE(a.complete);
}

TEST(ManifestAnswer, TextEndsAtFirstZeroByte) {
    std::string answer = Answer("Content-Length: " + std::to_string(kXml.size()), kXml);
    std::string withZero = answer + std::string(1, '\0') + "garbage after the end";
    EXPECT_TRUE(ReadManifestAnswer(withZero).complete);
    std::string zeroBeforeXml = "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n" + std::string(1, '\0') + kXml;
    EXPECT_FALSE(ReadManifestAnswer(zeroBeforeXml).legal);
}

TEST(RequestTarget, HostAndPort) {
    RequestTarget t;
    ASSERT_TRUE(ParseRequestTarget("http://update.example/game/zrk/a.xml", 80, t));
    EXPECT_EQ(t.host, "update.example");
    EXPECT_EQ(t.port, 80);
    ASSERT_TRUE(ParseRequestTarget("http://127.0.0.1:8080/game/zrk/a.xml", 80, t));
    EXPECT_EQ(t.host, "127.0.0.1");
    EXPECT_EQ(t.port, 8080);
    // Not a port: the host part stays whole (and will not resolve).
    ASSERT_TRUE(ParseRequestTarget("http://host:99999/x", 80, t));
    EXPECT_EQ(t.host, "host:99999");
    EXPECT_EQ(t.port, 80);
}

TEST(RequestTarget, NeedsSchemeAndPath) {
    RequestTarget t;
    EXPECT_FALSE(ParseRequestTarget("update.example/game/zrk/a.xml", 80, t));
    EXPECT_FALSE(ParseRequestTarget("http://update.example", 80, t));
}

}  // namespace
}  // namespace lmn::updater
