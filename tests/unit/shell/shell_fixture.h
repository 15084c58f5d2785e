// A client core on fakes, in a fresh program folder.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "fake_host.h"
#include "lmn_kx_dlg.h"
#include "message_types.h"
#include "package_writer.h"
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

    // Enters room 3 (server area 2) and lets the room server connection come up.
    void EnterRoomConnected() {
        PageSends("[enter_room]&id=3&serverid=2&servername=east&baseurl=http://rooms/");
        roomHandle = dlg->context().state().room.connection;
        TransportReports(net::NetEvent{net::NET_CONNECTED, roomHandle, {}});
    }

    // The transport reports an event; the next turn of the event loop handles it.
    void TransportReports(net::NetEvent event) {
        dlg->OnNetEvent(std::move(event));
        host.Advance(0);
    }

    // A package arrives on a connection (the room connection unless another is named).
    void RoomSends(net::PackageWriter& package, ConnectionId from = 0) {
        auto bytes = package.seal();
        std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
        data.insert(data.end(), {0x10, 0x20, 0x30, 0x40});  // the record's tag copy
        TransportReports(net::NetEvent{net::NET_DATA, from ? from : roomHandle, std::move(data)});
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
    ConnectionId roomHandle = kNoConnection;
};

}  // namespace lmn::shell::test
