// Packages from the room server or a direct connection into the game core, in any order and
// any shape, and [userinfo] texts from the page. The first byte picks the page the client
// shows, the connection the package comes from (the room server, the current peer, or a
// stranger on the direct-play port) and whether that connection then closes; the rest is one
// package.
#include <cstddef>
#include <cstdint>
#include <string>

#include "game_client.h"
#include "package_writer.h"
#include "user_info.h"

namespace {

using namespace lmn::game;

class QuietEnv : public GameEnv {
  public:
    void CallPage(const std::string&) override {}
    void Navigate(const std::string&) override {}
    std::string CurrentUrl() const override { return url; }
    void QueuePageText(std::string) override {}
    void SetPageLoaded(bool) override {}
    Answer Ask(const std::string&, const std::string&, Buttons) override { return Answer::Yes; }
    void FlashCaption() override {}
    void StartPeerCloseDelay() override {}
    void StartOpponentRequestDelay() override {}
    void StartOpponentAnswerCheck() override {}
    void StopOpponentAnswerCheck() override {}
    void StartGameOverGrace() override {}
    std::string BaseUrl() const override { return "http://h/"; }
    std::string Fetch(const std::string& u) override { return u.size() % 2 ? "ok" : ""; }
    std::uint32_t TickMs() const override { return 5; }
    std::int64_t CalendarSeconds() const override { return 6; }
    const PlayerContext& Player() const override { return player; }
    void ForgetRoomConnection() override { player.room = 0; }

    PlayerContext player{42, "ann", 3, 2, "east", "http://r/", 1};
    std::string url;
};

class NoLink : public PackageLink {
  public:
    bool Send(ConnectionHandle, lmn::net::PackageWriter& p) override { return p.seal().size() > 0; }
    void Close(ConnectionHandle) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static QuietEnv env;
    static NoLink link;
    static GameClient client(env, link);
    env.player.room = 1;
    env.url = (data[0] & 1) ? "watch_match.php" : "battle_mode_field.php";
    const ConnectionHandle stranger = 7 + (data[0] >> 5);
    ConnectionHandle from = stranger;
    if ((data[0] & 0x18) == 0) from = 1;
    if ((data[0] & 0x18) == 0x08 && client.state().peer != 0) from = client.state().peer;
    if (data[0] & 4) client.OnNetEvent(lmn::net::NetEvent{lmn::net::NET_CONNECTED, 1, {}});
    client.OnNetEvent(
        lmn::net::NetEvent{lmn::net::NET_DATA, from, std::vector<std::uint8_t>(data + 1, data + size)});
    if (data[0] & 2) client.OnNetEvent(lmn::net::NetEvent{lmn::net::NET_CLOSED, from, {}});
    const UserInfo info = ParseUserInfo(std::string(reinterpret_cast<const char*>(data), size));
    (void)info;
    return 0;
}
