#include "room_lobby.h"

#include "fetch_retry.h"
#include "lobby_requests.h"
#include "message_types.h"
#include "package_writer.h"

namespace lmn::game {

using namespace lmn::net;

void RoomLobby::OnRoomConnected() {
    const PlayerContext& player = env_.Player();
    if (player.userId < 1) return;
    env_.CallPage("type=[connect_srv]&id=" + std::to_string(player.roomId));
    PackageWriter login(MSG_SRV_LOGIN);
    login.int32(player.userId)
        .string(player.userName)
        .int32(player.roomId)
        .int32(player.serverId)
        .string(player.serverName)
        .string(player.roomBaseUrl);
    routes_.ToRoom(login);
}

void RoomLobby::SendShortLogin() {
    const PlayerContext& player = env_.Player();
    PackageWriter login(MSG_SRV_LOGIN);
    login.int32(player.userId).string(player.userName);
    routes_.ToRoom(login);
}

void RoomLobby::RequestUserList() {
    const PlayerContext& player = env_.Player();
    PackageWriter request(MSG_SRV_USER_LIST);
    request.int32(player.userId).int32(player.roomId);
    routes_.ToRoom(request);
}

bool RoomLobby::Dispatch(ConnectionHandle from, PackageReader& reader) {
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
        default:
            return false;
    }
}

bool RoomLobby::PageShowsRoom() const {
    const std::string url = env_.CurrentUrl();
    return url.find("battle_mode_field.php") != std::string::npos ||
           url.find("room_invite.php") != std::string::npos;
}

void RoomLobby::PassRoomList(PackageReader& reader) {
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

void RoomLobby::FetchForOther(ConnectionHandle from, PackageReader& reader) {
    reader.readInt32();
    const std::string url = reader.readString();
    if (!room_.Is(from) || !IsLobbyRequestBelow(url, env_.BaseUrl(), env_.Player().roomBaseUrl)) return;
    const FetchFn fetch = [this](const std::string& u) { return env_.Fetch(u); };
    const std::string reply = FetchWithRetries(fetch, url);
    if (url.find("[fill_user_all_p2p_info]") != std::string::npos)
        FetchWithRetries(fetch, P2pInfoSpecialRequest(env_.BaseUrl(), reply));
}

std::string RoomLobby::FetchOrAskOther(int otherId, const std::string& url) {
    const std::string result = FetchWithRetries([this](const std::string& u) { return env_.Fetch(u); }, url);
    if (result == kFetchFailed) {
        PackageWriter ask(MSG_SRV_FETCH_FOR_ME);
        ask.int32(otherId).string(url);
        routes_.ToRoom(ask);
    }
    return result;
}

void RoomLobby::StoreReport(int otherId, const std::string& report) {
    if (report != kFetchFailed) FetchOrAskOther(otherId, P2pInfoSpecialRequest(env_.BaseUrl(), report));
}

}  // namespace lmn::game
