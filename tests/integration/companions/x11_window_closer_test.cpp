#include "x11_window_closer.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>

#include "card_maker_launcher.h"
#include "child_process.h"
#include "paths.h"
#include "process.h"
#include "process_state.h"
#include "temp_dir.h"
#include "wait_until.h"
#include "xvfb_server.h"

namespace lmn::companions {
namespace {

using namespace std::chrono_literals;

bool WaitUntil(const std::function<bool()>& condition) {
    return lmn::test::WaitUntil(condition, 10000);
}

class X11Closing : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!xvfb.ok()) GTEST_SKIP() << "Xvfb could not be started";
        setenv("DISPLAY", xvfb.name().c_str(), 1);
        log = dir / "windows.log";
        setenv("LMN_TEST_WINDOW_LOG", log.c_str(), 1);
        unsetenv("LMN_TEST_WINDOW_TITLE");
    }

    void TearDown() override { children.clear(); }

    // Starts the test window program with a title and waits until its window is mapped.
    lmn::test::ChildProcess& ShowWindow(const std::string& title, const std::string& arg,
                                        std::map<std::string, std::string> env = {}) {
        env["LMN_TEST_WINDOW_TITLE"] = title;
        children.emplace_back(std::vector<std::string>{LMN_TEST_TITLED_WINDOW, arg},
                              lmn::test::SpawnOptions{.env = env});
        EXPECT_TRUE(WaitUntil([&] { return LogHas("start " + arg); })) << title;
        return children.back();
    }

    bool LogHas(const std::string& line) {
        std::string text;
        ReadFile(log, text);
        return text.find(line + "\n") != std::string::npos;
    }

    // True once the child has ended (and reaps it).
    bool Ended(lmn::test::ChildProcess& child) { return !child.Running(); }

    size_t CardMakerWindows() { return X11WindowCloser().FindMatching(IsCardMakerTitle).size(); }

    lmn::test::XvfbServer xvfb{"320x240x24"};
    lmn::test::TempDir dir;
    std::string log;
    std::deque<lmn::test::ChildProcess> children;
};

TEST_F(X11Closing, AsksEveryMatchingWindowToCloseAndWaitsUntilItIsGone) {
    auto& maker = ShowWindow("Lumenfold-编辑器", "maker");
    auto& notes = ShowWindow("  Notes about LUMENFOLD-编辑器 tricks ", "notes");
    auto& client = ShowWindow("Lumenfold-Orvane软件系列", "client");
    ASSERT_EQ(CardMakerWindows(), 2u);

    EXPECT_EQ(X11WindowCloser(5s).CloseMatching(IsCardMakerTitle), 2);

    EXPECT_EQ(CardMakerWindows(), 0u);
    EXPECT_TRUE(LogHas("close maker"));
    EXPECT_TRUE(LogHas("close notes"));
    EXPECT_TRUE(WaitUntil([&] { return Ended(maker) && Ended(notes); }));
    EXPECT_FALSE(LogHas("close client"));
    EXPECT_FALSE(Ended(client));
}

TEST_F(X11Closing, UsesTheWindowManagersClientListWhenThereIsOne) {
    ShowWindow("Lumenfold-编辑器", "unlisted");
    ShowWindow("Lumenfold-编辑器", "listed");
    std::vector<uint32_t> windows = X11WindowCloser().FindMatching(IsCardMakerTitle);
    ASSERT_EQ(windows.size(), 2u);

    // Stand in for a window manager: list only the window created last (the higher id).
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const char* name = "_NET_CLIENT_LIST";
    auto* atom = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    uint32_t listed = std::max(windows[0], windows[1]);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, root, atom->atom, XCB_ATOM_WINDOW, 32, 1, &listed);
    xcb_flush(c);
    std::free(atom);

    EXPECT_EQ(X11WindowCloser(5s).CloseMatching(IsCardMakerTitle), 1);
    xcb_disconnect(c);
    EXPECT_TRUE(LogHas("close listed"));
    EXPECT_FALSE(LogHas("close unlisted"));
}

// Two edits in a row through the launcher, with the test window program as the card maker.
TEST_F(X11Closing, TwoEditsInARowLeaveOnlyTheSecondCardMakerRunning) {
    ASSERT_TRUE(CopyFileAtomic(LMN_TEST_TITLED_WINDOW, dir / "LMN_KX_Maker.exe"));
    MakeExecutable(dir / "LMN_KX_Maker.exe");
    X11WindowCloser closer(5s);
    CardMakerLauncher launcher({dir.path(), closer, StartDetached, {}});
    CardMakerSession session{"http://127.0.0.1/game/zrk/", "alice", 42};
    std::string first = "url=http://127.0.0.1/game/zrk/;username=alice;userid=42;type=1;arg=111";
    std::string second = "url=http://127.0.0.1/game/zrk/;username=alice;userid=42;type=1;arg=222";

    launcher.EditCard(session, "111");
    ASSERT_TRUE(WaitUntil([&] { return LogHas("start " + first); }));
    launcher.EditCard(session, "222");
    ASSERT_TRUE(WaitUntil([&] { return LogHas("start " + second); }));

    EXPECT_TRUE(LogHas("close " + first));
    EXPECT_FALSE(LogHas("close " + second));
    EXPECT_EQ(CardMakerWindows(), 1u);
    closer.CloseMatching(IsCardMakerTitle);
}

// The closer returns only once the program that owned the window has ended, not when its window
// is gone, so a program started next never runs beside it.
TEST_F(X11Closing, WaitsUntilTheOwningProcessHasEnded) {
    auto& maker = ShowWindow("Lumenfold-编辑器", "lingering", {{"LMN_TEST_WINDOW_LINGER_MS", "1500"}});
    ASSERT_EQ(X11WindowCloser().OwnerOf(X11WindowCloser().FindMatching(IsCardMakerTitle).at(0)), maker.pid());

    EXPECT_EQ(
        X11WindowCloser(5s, {}, [&](int pid) { return pid == maker.pid(); }).CloseMatching(IsCardMakerTitle),
        1);

    EXPECT_TRUE(LogHas("close lingering"));
    EXPECT_TRUE(ProcessEnded(maker.pid()));
    EXPECT_TRUE(Ended(maker));
}

TEST_F(X11Closing, AProgramThatIgnoresTheRequestIsEndedOnlyWhenItIsACompanion) {
    auto& stubborn = ShowWindow("Lumenfold-编辑器", "stubborn", {{"LMN_TEST_WINDOW_IGNORE_CLOSE", "1"}});
    std::vector<std::string> lines;
    auto log = [&](const std::string& line) { lines.push_back(line); };

    EXPECT_EQ(X11WindowCloser(500ms, log, [](int) { return false; }).CloseMatching(IsCardMakerTitle), 1);
    EXPECT_TRUE(WaitUntil([&] { return LogHas("ignore stubborn"); }));
    EXPECT_FALSE(ProcessEnded(stubborn.pid()));
    EXPECT_TRUE(lines.empty());

    std::vector<int> asked;
    X11WindowCloser forcing(500ms, log, [&](int pid) {
        asked.push_back(pid);
        return true;
    });
    EXPECT_EQ(forcing.CloseMatching(IsCardMakerTitle), 1);
    EXPECT_EQ(asked, std::vector<int>{stubborn.pid()});
    EXPECT_TRUE(ProcessEnded(stubborn.pid()));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find(std::to_string(stubborn.pid())), std::string::npos);
    EXPECT_EQ(CardMakerWindows(), 0u);
}

TEST(ProcessState, KnowsRunningEndedAndUnreapedProcesses) {
    EXPECT_FALSE(ProcessEnded(getpid()));
    EXPECT_TRUE(ProcessEnded(0));
    pid_t child = fork();
    if (child == 0) _exit(0);
    ASSERT_TRUE(WaitUntil([&] { return ProcessEnded(child); })) << "an unreaped child has ended";
    waitpid(child, nullptr, 0);
    EXPECT_TRUE(ProcessEnded(child));
    EXPECT_EQ(ProgramFileName(getpid()), "companions_x11_tests");
    EXPECT_FALSE(IsCardMakerProcess(getpid()));
}

TEST(X11WithoutDisplay, LogsOneLineAndClosesNothing) {
    std::string saved = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    setenv("DISPLAY", ":9999", 1);
    std::vector<std::string> lines;
    X11WindowCloser closer(1s, [&](const std::string& line) { lines.push_back(line); });

    EXPECT_EQ(closer.CloseMatching(IsCardMakerTitle), 0);
    EXPECT_EQ(closer.CloseMatching(IsCardMakerTitle), 0);
    EXPECT_EQ(lines.size(), 1u);
    if (saved.empty())
        unsetenv("DISPLAY");
    else
        setenv("DISPLAY", saved.c_str(), 1);
}

}  // namespace
}  // namespace lmn::companions
