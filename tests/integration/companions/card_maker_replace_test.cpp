// The game client's launcher against the real card maker on a virtual display: a card maker that
// shows a question when the client asks for another one ends on the close request (the question
// is cancelled), and only then is the new one started, so one card maker runs at any time.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <string>

#include "card_maker_launcher.h"
#include "paths.h"
#include "process.h"
#include "process_state.h"
#include "temp_dir.h"
#include "wait_until.h"
#include "x11_window_closer.h"
#include "xvfb_server.h"

namespace lmn::companions {
namespace {

using namespace std::chrono_literals;

bool WaitUntil(const std::function<bool()>& condition) {
    return lmn::test::WaitUntil(condition, 30000);
}

bool IsQuestionTitle(std::string_view title) {
    return title == "提示";
}

class CardMakerReplacing : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!xvfb.ok()) GTEST_SKIP() << "Xvfb could not be started";
        setenv("DISPLAY", xvfb.name().c_str(), 1);
        ASSERT_TRUE(CopyFileAtomic(LMN_TEST_CARD_MAKER, install / kCardMakerProgram));
        MakeExecutable(install / kCardMakerProgram);
        ASSERT_TRUE(CopyFileAtomic(LMN_TEST_SELECT_PNG, install / "select.png"));
        setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
        setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu", 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    }

    void TearDown() override {
        if (xvfb.ok()) X11WindowCloser(5s, {}, IsCardMakerProcess).CloseMatching(IsCardMakerTitle);
    }

    // The processes whose card maker windows are up.
    std::vector<int> CardMakers() {
        X11WindowCloser x;
        std::vector<int> pids;
        for (uint32_t window : x.FindMatching(IsCardMakerTitle)) pids.push_back(x.OwnerOf(window));
        return pids;
    }

    lmn::test::XvfbServer xvfb;
    lmn::test::TempDir install;
};

TEST_F(CardMakerReplacing, AQuestionOnScreenDoesNotKeepTheOldCardMakerRunning) {
    // The client's closer: it would end a card maker that ignores the request after 5 s, and log
    // it; the old card maker must end on the close request by itself.
    std::vector<std::string> forced;
    X11WindowCloser closer(
        5s, [&](const std::string& line) { forced.push_back(line); }, IsCardMakerProcess);
    CardMakerLauncher launcher({install.path(), closer, StartDetached,
                                [](const std::string&, const std::string&) { return false; }});
    CardMakerSession session{"", "alice", 42};

    launcher.BuyDiyCard(session, "5", "bought.jpg");
    ASSERT_TRUE(WaitUntil([&] { return CardMakers().size() == 1 && CardMakers()[0] > 0; }));
    const int old = CardMakers()[0];
    ASSERT_TRUE(WaitUntil([&] { return !X11WindowCloser().FindMatching(IsQuestionTitle).empty(); }))
        << "the buy question is on screen";

    launcher.EditCard(session, "7");

    EXPECT_TRUE(ProcessEnded(old)) << "the old card maker ended before the new one was started";
    EXPECT_TRUE(forced.empty()) << forced.front();
    ASSERT_TRUE(WaitUntil([&] {
        std::vector<int> now = CardMakers();
        return now.size() == 1 && now[0] > 0 && now[0] != old;
    }));
    const int fresh = CardMakers()[0];
    EXPECT_FALSE(ProcessEnded(fresh));
    EXPECT_TRUE(IsCardMakerProcess(fresh));
    EXPECT_TRUE(X11WindowCloser().FindMatching(IsQuestionTitle).empty());

    // The bought picture was not installed: the question was cancelled, not answered.
    EXPECT_FALSE(PathExists(install / "images/card/card_no_5_big.jpg"));
}

}  // namespace
}  // namespace lmn::companions
