// Reading a browser's request to the player's file server: where the head ends, its bound, and
// which request lines are understood.
#include "player_request.h"

#include <gtest/gtest.h>

#include <string>

namespace lmn::flash {
namespace {

TEST(PlayerRequestHead, EndsAtTheFirstBlankLineWhetherCrlfOrLf) {
    std::size_t length = 0;
    EXPECT_EQ(FindRequestHead("GET / HTTP/1.1\r\nHost: x\r\n", length), HeadState::Incomplete);
    const std::string crlf = "GET / HTTP/1.1\r\nHost: x\r\n\r\n";
    EXPECT_EQ(FindRequestHead(crlf + "extra", length), HeadState::Complete);
    EXPECT_EQ(length, crlf.size());
    const std::string lf = "GET / HTTP/1.1\nHost: x\n\n";
    EXPECT_EQ(FindRequestHead(lf + "\r\n\r\n", length), HeadState::Complete);
    EXPECT_EQ(length, lf.size()) << "the earlier end wins";
}

TEST(PlayerRequestHead, AHeadPastTheBoundIsRefusedEvenIfItEndsLater) {
    std::size_t length = 0;
    std::string head = "GET / HTTP/1.1\r\nX: " + std::string(kMaxRequestHead, 'a');
    EXPECT_EQ(FindRequestHead(head, length), HeadState::TooLarge);
    EXPECT_EQ(FindRequestHead(head + "\r\n\r\n", length), HeadState::TooLarge);
    EXPECT_EQ(FindRequestHead(std::string(kMaxRequestHead - 1, 'a'), length), HeadState::Incomplete);
}

TEST(PlayerRequestLine, GetHeadAndOptionsOfAnOriginFormTarget) {
    auto get = ParseRequestHead("GET /ruffle/ruffle.js?v=2#x HTTP/1.1\r\nHost: a\r\n\r\n");
    ASSERT_TRUE(get);
    EXPECT_EQ(get->method, RequestMethod::Get);
    EXPECT_EQ(get->path, "/ruffle/ruffle.js");
    auto head = ParseRequestHead("HEAD /a.wasm HTTP/1.0\n\n");
    ASSERT_TRUE(head);
    EXPECT_EQ(head->method, RequestMethod::Head);
    auto options = ParseRequestHead("OPTIONS /a.wasm HTTP/1.1\r\n\r\n");
    ASSERT_TRUE(options);
    EXPECT_EQ(options->method, RequestMethod::Options);
    EXPECT_EQ(ParseRequestHead("GET /%2e%2e/x HTTP/1.1\r\n\r\n")->path, "/%2e%2e/x") << "never decoded";
}

TEST(PlayerRequestLine, EverythingElseIsRefused) {
    for (const char* bad :
         {"POST /a HTTP/1.1\r\n\r\n", "get /a HTTP/1.1\r\n\r\n", "GET http://x/a HTTP/1.1\r\n\r\n",
          "GET a HTTP/1.1\r\n\r\n", "GET /a HTTP/2\r\n\r\n", "GET /a\r\n\r\n", "GET  /a HTTP/1.1\r\n\r\n",
          "GET /a b HTTP/1.1\r\n\r\n", "GET /a\tb HTTP/1.1\r\n\r\n", "GET /\x80 HTTP/1.1\r\n\r\n",
          "GET /a HTTP/1.1", ""}) {
        EXPECT_FALSE(ParseRequestHead(bad)) << bad;
    }
    EXPECT_FALSE(ParseRequestHead(std::string("GET /a\0b HTTP/1.1\r\n\r\n", 22)));
}

}  // namespace
}  // namespace lmn::flash
