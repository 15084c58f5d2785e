// The real LMN_KX.exe against a hostile network: a room server that refuses the connection, a
// web server whose lobby script accepts requests and never answers, and the direct-play port
// 11978 with a stranger and a real peer that plays a whole game over it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>

#include "client_process.h"
#include "devserver_process.h"
#include "message_types.h"
#include "own_network.h"
#include "scripted_client.h"
#include "stub_web_server.h"
#include "temp_dir.h"

namespace lmn::shell::test {
namespace {

using lmn::test::DevServerProcess;
using lmn::test::ScriptedClient;
using lmn::test::TempDir;
using lmn::test::WriteTestFile;
using namespace lmn::net;

const std::map<std::string, std::string> kOffscreen = {
    {"QT_QPA_PLATFORM", "offscreen"}, {"QTWEBENGINE_DISABLE_SANDBOX", "1"}, {"SDL_AUDIODRIVER", "dummy"}};

// A client page that asks for the settings, reports what the client answers, then enters a room.
const char* kRoomPage = R"(<html><head><meta charset="gbk"></head><body><script>
function send(c) { var f = document.createElement('iframe'); f.style.display = 'none';
  f.src = 'http://lmnkx-cmd/' + c; document.body.appendChild(f); }
function client_cmd(t) { new Image().src = 'report.txt?got=' + encodeURIComponent(t); }
send('[get_setting]');
setTimeout(function () { send('[enter_room]&id=3&serverid=1&servername=east&baseurl=http://rooms/'); }, 500);
</script></body></html>)";

std::vector<std::string> Requests(const DevServerProcess& dev, const std::string& part) {
    std::vector<std::string> hits;
    for (const std::string& line : dev.LogLines("http"))
        if (line.find(part) != std::string::npos) hits.push_back(line);
    return hits;
}

std::string Config(const std::string& baseUrl) {
    return "[common]\r\nstrUrl=" + baseUrl + "\r\nbMusic=0\r\nbSound=0\r\nbVoice=0\r\n";
}

TEST(HostileNetwork, ARefusedRoomConnectionShowsTheEntryFailedMessage) {
    if (!lmn::test::EnterOwnNetwork()) GTEST_SKIP() << "no network namespace";
    XvfbServer display;
    if (!display.ok()) GTEST_SKIP() << "no Xvfb";
    TempDir www;
    std::filesystem::copy(LMN_DEVSERVER_WWW, www.path(), std::filesystem::copy_options::recursive);
    WriteTestFile(www / "game/zrk/index.php", kRoomPage);
    // The lobby names a room server address on which nothing listens: the connect is refused.
    DevServerProcess dev({"--www=" + www.path(), "--room-host=127.0.0.254"});
    ASSERT_TRUE(dev.ok());
    TempDir install;
    WriteTestFile(install / "config.ini", Config(dev.baseUrl()));
    ClientProcess client(install.path(), {"go"},
                         {{"DISPLAY", display.name()},
                          {"QT_QPA_PLATFORM", "xcb"},
                          {"QTWEBENGINE_DISABLE_SANDBOX", "1"},
                          {"QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu"},
                          {"SDL_AUDIODRIVER", "dummy"}});
    ASSERT_TRUE(WaitUntil([&] { return !Requests(dev, "report.txt?got=").empty(); }, 60000))
        << "the client page did not load";
    const std::string find = "xdotool search --onlyvisible --name '^LMN_KX$'";
    ASSERT_TRUE(WaitUntil([&] { return !display.Run(find).empty(); }, 20000)) << "no message box";
    const std::string dir = std::string(LMN_BINARY_DIR) + "/test-artifacts/";
    std::filesystem::create_directories(dir);
    display.Run("import -window root " + dir + "room-refused.png");
    EXPECT_TRUE(client.Running());
}

TEST(HostileNetwork, ALobbyThatNeverAnswersStillLetsTheClientPageWork) {
    lmn::test::StubWebServer web;
    ASSERT_TRUE(web.ok());
    web.Page("/zrk/index.php", kRoomPage);
    TempDir install;
    WriteTestFile(install / "config.ini", Config(web.origin() + "/zrk/"));
    std::map<std::string, std::string> env = kOffscreen;
    env["LMN_HTTP_SILENCE_MS"] = "1500";
    ClientProcess client(install.path(), {"go"}, env);
    // Start-up asks the lobby twice; neither answer comes, and the page still gets its settings.
    ASSERT_TRUE(WaitUntil([&] { return !web.TargetsWith("report.txt?got=").empty(); }, 90000))
        << "the client page never had its [get_setting] answered";
    EXPECT_EQ(web.TargetsWith("[get_out_ip]").size(), 1u);
    EXPECT_GE(web.TargetsWith("[get_srv_ip]").size(), 1u);
    EXPECT_NE(web.TargetsWith("report.txt?got=").front().find("type%3D%5Bsetting%5D"), std::string::npos)
        << web.TargetsWith("report.txt?got=").front();
    EXPECT_TRUE(client.Running());
}

// A peer on the direct-play port, connecting as soon as the client listens.
std::unique_ptr<ScriptedClient> ConnectToDirectPort() {
    std::unique_ptr<ScriptedClient> peer;
    WaitUntil(
        [&] {
            peer = std::make_unique<ScriptedClient>("127.0.0.1", 11978, Sender::kClient);
            return peer->connected();
        },
        60000);
    return peer;
}

std::string DealText(const std::vector<std::uint8_t>& package) {
    PackageReader reader(package);
    return reader.readString();
}

// The value after key= in a battle text.
int Arg(const std::string& text, const std::string& key) {
    const size_t at = text.find("&" + key + "=");
    return at == std::string::npos ? -1 : std::atoi(text.c_str() + at + key.size() + 2);
}

TEST(HostileNetwork, AStrangerOnTheDirectPortChangesNothingAndARealPeerPlaysAWholeGame) {
    if (!lmn::test::EnterOwnNetwork()) GTEST_SKIP() << "no network namespace";
    DevServerProcess dev;
    ASSERT_TRUE(dev.ok());
    TempDir install;
    WriteTestFile(install / "config.ini", Config(dev.baseUrl()));
    ClientProcess client(install.path(), {"go"}, kOffscreen);

    // A stranger sends a game set-up and a battle action without saying hello: it is closed,
    // no game page opens, and its close asks for no opponent.
    std::unique_ptr<ScriptedClient> stranger = ConnectToDirectPort();
    ASSERT_TRUE(stranger && stranger->connected());
    ASSERT_TRUE(WaitUntil([&] { return !Requests(dev, "index.php?type=client").empty(); }, 60000));
    PackageWriter setup(MSG_GAME_SETUP);
    setup.int32(0).string("1;2").string("3;4");
    stranger->Send(setup);
    PackageWriter deal(MSG_GAME_DEAL);
    deal.string("type=[game_deal]&type_d1=[take]&seq=1&by=66&n=3&pile=18");
    stranger->Send(deal);
    stranger->Pump(1500);
    EXPECT_TRUE(stranger->closed()) << "the client ends a connection that does not say hello";
    stranger.reset();
    ScriptedClient silent("127.0.0.1", 11978, Sender::kClient);
    silent.Pump(4000);
    EXPECT_TRUE(Requests(dev, "gameclient_fc.php").empty()) << "a stranger set no game up";
    EXPECT_TRUE(Requests(dev, "[request_oppoent]").empty()) << "a stranger's close is no lost opponent";

    // The real peer: hello, welcome, the set-up (the client moves first), and a whole game.
    std::unique_ptr<ScriptedClient> peer = ConnectToDirectPort();
    ASSERT_TRUE(peer && peer->connected());
    PackageWriter hello(MSG_PEER_HELLO);
    hello.int32(77);
    peer->Send(hello);
    ASSERT_FALSE(peer->Next(MSG_PEER_WELCOME, 10000).empty());
    PackageWriter ourSetup(MSG_GAME_SETUP);
    ourSetup.int32(0).string("1;2").string("3;4");
    peer->Send(ourSetup);
    ASSERT_TRUE(WaitUntil([&] { return !Requests(dev, "gameclient_fc.php?first=1").empty(); }, 20000));
    EXPECT_NE(Requests(dev, "gameclient_fc.php?first=1").front().find("&userid2=77&seed1=100&seed2=200"),
              std::string::npos);
    ASSERT_FALSE(peer->Next(MSG_LOAD_DONE, 30000).empty()) << "the battle page's load reaches the peer";
    PackageWriter loaded(MSG_LOAD_DONE);
    peer->Send(loaded);

    // The client's page takes one on the Enter key the peer sends it; the peer takes three.
    int pile = 21, seq = 0, moves = 0;
    while (pile > 0 && moves < 30) {
        ++moves;
        PackageWriter enter(MSG_GAME_DEAL);
        enter.string("type=[game_deal]&type_d1=[enter]");
        peer->Send(enter);
        const std::vector<std::uint8_t> theirs = peer->Next(MSG_GAME_DEAL, 10000);
        ASSERT_FALSE(theirs.empty()) << "move " << moves;
        const std::string text = DealText(theirs);
        ASSERT_EQ(Arg(text, "seq"), seq + 1) << text;
        pile = Arg(text, "pile");
        seq += 1;
        if (pile == 0) break;
        const int take = std::min(3, pile);
        pile -= take;
        seq += 1;
        PackageWriter move(MSG_GAME_DEAL);
        move.string("type=[game_deal]&type_d1=[take]&seq=" + std::to_string(seq) +
                    "&by=77&n=" + std::to_string(take) + "&pile=" + std::to_string(pile) + "&say=x");
        peer->Send(move);
    }
    EXPECT_EQ(pile, 0);
    // The page ends the game: the match is deleted and, a moment later, the link closed.
    EXPECT_TRUE(
        WaitUntil([&] { return !Requests(dev, "[delete_match]&userid1=0&userid2=77").empty(); }, 20000));
    EXPECT_TRUE(WaitUntil([&] { return !Requests(dev, "stage=battle").empty(); }, 20000));
    EXPECT_NE(Requests(dev, "stage=battle").front().find("won=1"), std::string::npos);
    peer->Pump(3000);
    EXPECT_TRUE(peer->closed());
    EXPECT_TRUE(client.Running());
}

// A frame of another host inside the client page tries to take the player's settings and the
// base URL, by hidden frames and by navigating itself; the client page's own commands still work.
TEST(HostileNetwork, AFrameOfAnotherHostCannotChangeTheBaseUrlOrTheSettings) {
    lmn::test::StubWebServer stranger;
    ASSERT_TRUE(stranger.ok());
    const std::string theirs = stranger.origin() + "/";
    stranger.Page(
        "/advert.html",
        "<html><body><script>\n"
        "function send(c) { var f = document.createElement('iframe'); f.src = 'http://lmnkx-cmd/' + c;\n"
        "  document.body.appendChild(f); }\n"
        "send('[save_setting]&bMusic=0&bSound=0&bVoice=0&bAutoLogin=1&username=evil&password=stolen"
        "&bSaveRecord=0&bOutIP=0');\n"
        "send('[change_base_url]&url=" +
            theirs +
            "');\n"
            "setTimeout(function () { location.href = 'http://lmnkx-cmd/[change_base_url]&url=" +
            theirs +
            "'; }, 300);\n"
            "</script></body></html>");
    TempDir www;
    std::filesystem::copy(LMN_DEVSERVER_WWW, www.path(), std::filesystem::copy_options::recursive);
    WriteTestFile(
        www / "game/zrk/index.php",
        "<html><head><meta charset=\"gbk\"></head><body>\n"
        "<iframe src=\"" +
            stranger.origin() +
            "/advert.html\"></iframe><script>\n"
            "function send(c) { var f = document.createElement('iframe'); f.style.display = 'none';\n"
            "  f.src = 'http://lmnkx-cmd/' + c; document.body.appendChild(f); }\n"
            "function client_cmd(t) { new Image().src = 'report.txt?got=' + encodeURIComponent(t); }\n"
            "setTimeout(function () { send('[get_setting]'); }, 2500);\n"
            "setTimeout(function () { send('[return_hall]'); }, 3500);\n"
            "</script></body></html>");
    DevServerProcess dev({"--www=" + www.path()});
    ASSERT_TRUE(dev.ok());
    TempDir install;
    WriteTestFile(install / "config.ini",
                  Config(dev.baseUrl()) + "strUserName=ann\r\nstrPassword=secret\r\n");
    ClientProcess client(install.path(), {"go"}, kOffscreen);

    ASSERT_TRUE(WaitUntil([&] { return !Requests(dev, "report.txt?got=").empty(); }, 60000));
    EXPECT_FALSE(stranger.TargetsWith("/advert.html").empty()) << "the advert was shown";
    const std::string settings = Requests(dev, "report.txt?got=").front();
    EXPECT_NE(settings.find("username%3Dann%26password%3Dsecret"), std::string::npos) << settings;
    // The hall page comes from the game's own server, not from the advert's host.
    EXPECT_TRUE(WaitUntil([&] { return !Requests(dev, "/game/zrk/p2pgame.php").empty(); }, 20000));
    EXPECT_TRUE(stranger.TargetsWith("p2pgame.php").empty());
    EXPECT_TRUE(stranger.TargetsWith("client_process").empty());
    EXPECT_TRUE(client.Running());
}

}  // namespace
}  // namespace lmn::shell::test
