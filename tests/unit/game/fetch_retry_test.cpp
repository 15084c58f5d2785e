// Fetch with retries: three tries at most, the first reply containing "ok" wins, else "fail".
#include "fetch_retry.h"

#include <gtest/gtest.h>

#include <vector>

namespace lmn::game {
namespace {

// A lobby that gives the replies in turn and counts the calls.
struct ScriptedLobby {
    std::vector<std::string> replies;
    std::vector<std::string> asked;
    FetchFn fn() {
        return [this](const std::string& url) {
            asked.push_back(url);
            return asked.size() <= replies.size() ? replies[asked.size() - 1] : std::string("late ok");
        };
    }
};

TEST(FetchWithRetries, TheFirstReplyContainingOkWinsAndStopsTheTries) {
    ScriptedLobby lobby{{"", "stored: ok (2)", "ok"}, {}};
    EXPECT_EQ(FetchWithRetries(lobby.fn(), "http://x/a"), "stored: ok (2)");
    EXPECT_EQ(lobby.asked, (std::vector<std::string>{"http://x/a", "http://x/a"}));
}

TEST(FetchWithRetries, ThreeRepliesWithoutOkGiveFailAndNoFourthTry) {
    ScriptedLobby lobby{{"", "error", "OK"}, {}};
    EXPECT_EQ(FetchWithRetries(lobby.fn(), "u"), kFetchFailed) << "\"OK\" in capitals is not \"ok\"";
    EXPECT_EQ(lobby.asked.size(), 3u);
}

TEST(FetchWithRetries, AReplyOnTheThirdTryStillCounts) {
    ScriptedLobby lobby{{"x", "y", "bookkeeping"}, {}};
    EXPECT_EQ(FetchWithRetries(lobby.fn(), "u"), "bookkeeping") << "\"ok\" anywhere in the text";
}

}  // namespace
}  // namespace lmn::game
