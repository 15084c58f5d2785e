// The room server's lists, notices and lobby relays, and watching a match.
#include "fetch_retry.h"
#include "game_client.h"
#include "lobby_requests.h"
#include "message_types.h"
#include "package_writer.h"
#include "watch_state.h"

namespace lmn::game {

using namespace lmn::net;

bool GameClient::DispatchRoomPackage(ConnectionHandle from, PackageReader& reader) {
    switch (reader.type()) {
        case MSG_SRV_USER_LIST:
        case MSG_SRV_USER_ADD:
        case MSG_SRV_USER_REMOVE:
        case MSG_SRV_MATCH_LIST:
            PassRoomList(reader);
            return true;
        case MSG_SRV_NOTICE:
            env_.Ask(reader.readString(), "", Buttons::Ok);
            return true;
        case MSG_SRV_ADDRESS_POST:
            env_.Fetch(P2pInfoSpecialRequest(env_.BaseUrl(), reader.readString()));
            return true;
        case MSG_SRV_FETCH_FOR_ME:
            FetchForOther(from, reader);
            return true;
        case MSG_SRV_WATCH_STATE:
            OnWatchState(reader);
            return true;
        default:
            return false;
    }
}

bool GameClient::PageShowsRoom() const {
    const std::string url = env_.CurrentUrl();
    return url.find("battle_mode_field.php") != std::string::npos ||
           url.find("room_invite.php") != std::string::npos;
}

void GameClient::PassRoomList(PackageReader& reader) {
    switch (reader.type()) {
        case MSG_SRV_USER_LIST: {
            const std::int32_t count = reader.readInt32();
            for (std::int32_t i = 0; i < count; ++i)
                env_.CallPage("type=[add_user_list]&userinfo=" + reader.readString());
            break;
        }
        case MSG_SRV_USER_ADD:
            if (PageShowsRoom()) env_.CallPage("type=[add_user_list]&userinfo=" + reader.readString());
            break;
        case MSG_SRV_USER_REMOVE:
            if (PageShowsRoom()) env_.CallPage("type=[remove_user_list]&userinfo=" + reader.readString());
            break;
        case MSG_SRV_MATCH_LIST: {
            env_.CallPage("type=[clear_match_list]");
            const std::int32_t count = reader.readInt32();
            for (std::int32_t i = 0; i < count; ++i) {
                const std::string info = reader.readString();
                if (PageShowsRoom()) env_.CallPage("type=[add_match_list]&matchinfo=" + info);
            }
            break;
        }
        default:
            break;
    }
}

void GameClient::RequestUserList() {
    const PlayerContext& player = env_.Player();
    PackageWriter request(MSG_SRV_USER_LIST);
    request.int32(player.userId).int32(player.roomId);
    SendToRoom(request);
}

void GameClient::FetchForOther(ConnectionHandle from, PackageReader& reader) {
    reader.readInt32();
    const std::string url = reader.readString();
    if (from != env_.Player().room || !IsLobbyRequestBelow(url, env_.BaseUrl(), env_.Player().roomBaseUrl))
        return;
    const FetchFn fetch = [this](const std::string& u) { return env_.Fetch(u); };
    const std::string reply = FetchWithRetries(fetch, url);
    if (url.find("[fill_user_all_p2p_info]") != std::string::npos)
        FetchWithRetries(fetch, P2pInfoSpecialRequest(env_.BaseUrl(), reply));
}

std::string GameClient::FetchOrAskOther(int otherId, const std::string& url) {
    const std::string result = FetchWithRetries([this](const std::string& u) { return env_.Fetch(u); }, url);
    if (result == kFetchFailed) {
        PackageWriter ask(MSG_SRV_FETCH_FOR_ME);
        ask.int32(otherId).string(url);
        SendToRoom(ask);
    }
    return result;
}

void GameClient::StoreReport(int otherId, const std::string& report) {
    if (report != kFetchFailed) FetchOrAskOther(otherId, P2pInfoSpecialRequest(env_.BaseUrl(), report));
}

void GameClient::Watch(int firstId, int secondId) {
    PackageWriter watch(MSG_SRV_WATCH);
    watch.int32(firstId).int32(secondId);
    SendToRoom(watch);
}

void GameClient::QuitWatch() {
    PackageWriter quit(MSG_SRV_QUIT_WATCH);
    SendToRoom(quit);
}

void GameClient::OnWatchState(PackageReader& reader) {
    const std::int32_t firstId = reader.readInt32();
    const std::string state = reader.readString();
    // A state for a page that is not the watch page is lost, not kept for later.
    if (env_.CurrentUrl().find("watch_match.php") == std::string::npos) return;
    env_.QueuePageText(WatchStateLine(firstId, state));
}

}  // namespace lmn::game
