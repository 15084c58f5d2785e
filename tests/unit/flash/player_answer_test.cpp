// What the player's file server hands out: only the table's files, with the content type the
// browser needs and headers that let pages of any origin fetch them.
#include "player_answer.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "player_files.h"
#include "temp_dir.h"

namespace lmn::flash {
namespace {

using lmn::test::TempDir;
using lmn::test::WriteTestFile;

long long Size(const std::string& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    return ec ? -1 : static_cast<long long>(size);
}

long long Unreadable(const std::string&) {
    return -1;
}

class PlayerAnswerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"ruffle.js", "core.ruffle.abc.js", "1a2b.wasm", "LICENSE_MIT", "notes.txt",
                                 ".hidden.js", "bad name.js"})
            WriteTestFile(player / name, std::string(name) + " data");
        WriteTestFile(player / "sub/inner.js", "x");
        WriteTestFile(movies / "open.swf", "FWS movie");
        files.AddFolder("/ruffle/", player.path(), {".js", ".wasm"});
        files.AddFolder("/movies/", movies.path(), {".swf"});
    }

    PlayerAnswer Ask(const std::string& line) {
        return AnswerRequest(line + "\r\nHost: x\r\n\r\n", files, &Size);
    }

    TempDir player, movies;
    PlayerFiles files;
};

TEST_F(PlayerAnswerTest, TheTableHoldsOnlyPlainNamesWithTheWantedEndings) {
    EXPECT_EQ(files.size(), 4u);
    EXPECT_TRUE(files.Contains("/ruffle/ruffle.js"));
    EXPECT_TRUE(files.Contains("/ruffle/core.ruffle.abc.js"));
    EXPECT_TRUE(files.Contains("/ruffle/1a2b.wasm"));
    EXPECT_TRUE(files.Contains("/movies/open.swf"));
    for (const char* absent :
         {"/ruffle/LICENSE_MIT", "/ruffle/notes.txt", "/ruffle/.hidden.js", "/ruffle/bad name.js",
          "/ruffle/sub/inner.js", "/ruffle/", "/movies/ruffle.js"})
        EXPECT_FALSE(files.Contains(absent)) << absent;
}

TEST_F(PlayerAnswerTest, AFileComesWithItsTypeLengthAndCrossOriginHeaders) {
    const PlayerAnswer wasm = Ask("GET /ruffle/1a2b.wasm HTTP/1.1");
    EXPECT_EQ(wasm.status, 200);
    ASSERT_TRUE(wasm.bodyFile);
    EXPECT_EQ(*wasm.bodyFile, player / "1a2b.wasm");
    EXPECT_EQ(wasm.head.rfind("HTTP/1.1 200 OK\r\n", 0), 0u);
    for (const char* header : {"Content-Type: application/wasm\r\n", "Content-Length: 14\r\n",
                               "Access-Control-Allow-Origin: *\r\n", "Connection: close\r\n"})
        EXPECT_NE(wasm.head.find(header), std::string::npos) << header;
    EXPECT_EQ(wasm.head.substr(wasm.head.size() - 4), "\r\n\r\n");

    const PlayerAnswer script = Ask("GET /ruffle/ruffle.js?cache=1 HTTP/1.1");
    EXPECT_NE(script.head.find("Content-Type: text/javascript\r\n"), std::string::npos);
    const PlayerAnswer head = Ask("HEAD /movies/open.swf HTTP/1.1");
    EXPECT_EQ(head.status, 200);
    EXPECT_FALSE(head.bodyFile) << "HEAD sends no body";
    EXPECT_NE(head.head.find("Content-Type: application/x-shockwave-flash\r\n"), std::string::npos);
}

TEST_F(PlayerAnswerTest, NothingOutsideTheTableIsReached) {
    for (const char* line :
         {"GET /ruffle/../movies/open.swf HTTP/1.1", "GET /ruffle/%2e%2e/notes.txt HTTP/1.1",
          "GET /ruffle/notes.txt HTTP/1.1", "GET /ruffle/sub/inner.js HTTP/1.1",
          "GET //ruffle/ruffle.js HTTP/1.1", "GET /RUFFLE/ruffle.js HTTP/1.1"}) {
        const PlayerAnswer answer = Ask(line);
        EXPECT_EQ(answer.status, 404) << line;
        EXPECT_FALSE(answer.bodyFile) << line;
    }
    EXPECT_EQ(Ask("POST /ruffle/ruffle.js HTTP/1.1").status, 400);
    EXPECT_EQ(AnswerRequest("GET /ruffle/ruffle.js HTTP/1.1\r\n\r\n", files, &Unreadable).status, 404)
        << "a file gone since the start is not found";
}

TEST_F(PlayerAnswerTest, PreflightsAndOversizedHeadsGetShortAnswers) {
    const PlayerAnswer preflight = Ask("OPTIONS /ruffle/1a2b.wasm HTTP/1.1");
    EXPECT_EQ(preflight.status, 204);
    EXPECT_FALSE(preflight.bodyFile);
    EXPECT_NE(preflight.head.find("Access-Control-Allow-Private-Network: true\r\n"), std::string::npos);
    const PlayerAnswer large = AnswerTooLarge();
    EXPECT_EQ(large.status, 431);
    EXPECT_NE(large.head.find("Content-Length: " + std::to_string(large.body.size()) + "\r\n"),
              std::string::npos);
}

}  // namespace
}  // namespace lmn::flash
