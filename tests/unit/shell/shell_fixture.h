// A client core on fakes, in a fresh program folder.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "fake_host.h"
#include "lmn_kx_dlg.h"
#include "temp_dir.h"

namespace lmn::shell::test {

class ShellFixture : public ::testing::Test {
  protected:
    ShellFixture() : host(log), server(log), sound(log), room(log) {}

    // Creates the core (after the test has put files into the program folder) and opens the window.
    void Open() {
        ShellDeps deps{host, server, dir.path()};
        deps.traceFile = dir / "trace/KX_log.txt";
        deps.sound = &sound;
        deps.roomLink = &room;
        dlg = std::make_unique<CLMN_KXDlg>(std::move(deps));
        host.onTimer = [this](int id) { dlg->OnTimer(id); };
        dlg->OnInitDialog();
    }

    // Opens the window and lets the introduction pass, so the client page is shown.
    void OpenToClientPage() {
        Open();
        host.Advance(5);
    }

    // The page sends a command; the next drain handles it.
    void PageSends(const std::string& text) {
        EXPECT_TRUE(dlg->OnBeforeNavigate("http://lmnkx-cmd/" + text));
        host.Advance(10);
    }

    std::vector<std::string> PageTexts() const {
        std::vector<std::string> texts;
        for (const auto& s : host.scripts) texts.push_back(PageTextOf(s));
        return texts;
    }

    lmn::test::TempDir dir;
    EventLog log;
    FakeHost host;
    FakeServer server;
    FakeSound sound;
    FakeRoomLink room;
    std::unique_ptr<CLMN_KXDlg> dlg;
};

}  // namespace lmn::shell::test
