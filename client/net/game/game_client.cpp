#include "game_client.h"

#include "gbk_literal.h"
#include "lobby_requests.h"
#include "message_types.h"
#include "package_writer.h"

namespace lmn::game {

using namespace lmn::net;

GameClient::GameClient(GameEnv& env, PackageLink& link)
    : env_(env), link_(link), random_(static_cast<std::minstd_rand::result_type>(env.TickMs()) | 1u) {}

GameClient::~GameClient() {
    workers_.JoinAll();
}

bool GameClient::RoomConnected() const {
    const ConnectionHandle room = env_.Player().room;
    return room != 0 && state_.connectedRoom == room;
}

void GameClient::OnNetEvent(const NetEvent& event) {
    if (event.handle != 0 && event.handle == env_.Player().room) {
        OnRoomEvent(event);
    } else {
        OnPeerEvent(event);
    }
}

void GameClient::OnRoomEvent(const NetEvent& event) {
    switch (event.code) {
        case NET_CONNECT_FAILED:
            env_.Ask(Utf8ToGbkLiteral("进入房间失败，请稍后再试"), "", Buttons::Ok);
            [[fallthrough]];
        case NET_CLOSED:
        case NET_ERROR: {
            const bool battleLost = state_.inGame && state_.relayed;
            state_.connectedRoom = 0;
            env_.ForgetRoomConnection();
            // A relayed battle travels over the room connection: without it the opponent is gone.
            if (battleLost) {
                state_.relayed = false;
                OpponentLost();
            }
            break;
        }
        case NET_CONNECTED: {
            state_.connectedRoom = event.handle;
            const PlayerContext& player = env_.Player();
            if (player.userId < 1) break;
            env_.CallPage("type=[connect_srv]&id=" + std::to_string(player.roomId));
            SendLongLogin();
            break;
        }
        case NET_DATA: {
            PackageReader reader(event.data);
            Dispatch(event.handle, reader);
            break;
        }
        default:
            break;
    }
}

void GameClient::OnPeerEvent(const NetEvent& event) {
    if (state_.peer == 0 || event.handle != state_.peer) {
        OnStrangerEvent(event);
        return;
    }
    switch (event.code) {
        case NET_CLOSED:
        case NET_ERROR:
            if (state_.gameOver && !state_.inGame) {
                // The opponent left after a game that ended normally.
                state_.peer = 0;
                state_.link = LinkState::Idle;
                env_.Ask(Utf8ToGbkLiteral("对方已经离开"), "", Buttons::Ok);
                break;
            }
            PeerLost();
            break;
        case NET_DATA: {
            PackageReader reader(event.data);
            Dispatch(event.handle, reader);
            break;
        }
        default:
            break;
    }
}

void GameClient::OnStrangerEvent(const NetEvent& event) {
    switch (event.code) {
        case NET_DATA: {
            // A direct connection becomes the peer only by saying hello; until then anything
            // else it sends ends it. While a peer is set or a relayed game runs, a hello is
            // ignored and the connection left to its other end.
            PackageReader reader(event.data);
            if (reader.type() != MSG_PEER_HELLO) {
                link_.Close(event.handle);
            } else if (state_.peer == 0 && !(state_.inGame && state_.relayed)) {
                Dispatch(event.handle, reader);
            }
            break;
        }
        case NET_CONNECT_FAILED:
            if (state_.peer != 0) break;
            state_.link = LinkState::Idle;
            env_.StartOpponentRequestDelay();
            break;
        case NET_CONNECTED: {
            if (state_.peer != 0) break;
            state_.peer = event.handle;
            state_.link = LinkState::HelloSent;
            PackageWriter hello(MSG_PEER_HELLO);
            hello.int32(env_.Player().userId);
            SendToPeer(hello);
            break;
        }
        default:
            // A stranger's close or error: it was never the opponent, so nothing is lost.
            break;
    }
}

void GameClient::PeerLost() {
    state_.peer = 0;
    if (state_.inGame) {
        OpponentLost();
        return;
    }
    state_.link = LinkState::Idle;
    env_.StartOpponentRequestDelay();
}

void GameClient::Dispatch(ConnectionHandle from, PackageReader& reader) {
    try {
        if (DispatchRoomPackage(from, reader)) return;
        if (DispatchMatchPackage(from, reader)) return;
        DispatchBattlePackage(from, reader);
    } catch (const PackageError&) {
        // A short package: what it carried up to its end has been used, the rest is dropped.
    }
}

bool GameClient::SendToRoom(PackageWriter& package) {
    return RoomConnected() && link_.Send(env_.Player().room, package);
}

bool GameClient::SendToPeer(PackageWriter& package) {
    return state_.peer != 0 && link_.Send(state_.peer, package);
}

bool GameClient::SendToOpponent(PackageWriter& package) {
    return state_.relayed ? SendToRoom(package) : SendToPeer(package);
}

void GameClient::SendLongLogin() {
    const PlayerContext& player = env_.Player();
    PackageWriter login(MSG_SRV_LOGIN);
    login.int32(player.userId)
        .string(player.userName)
        .int32(player.roomId)
        .int32(player.serverId)
        .string(player.serverName)
        .string(player.roomBaseUrl);
    SendToRoom(login);
}

void GameClient::SendShortLogin() {
    const PlayerContext& player = env_.Player();
    PackageWriter login(MSG_SRV_LOGIN);
    login.int32(player.userId).string(player.userName);
    SendToRoom(login);
}

void GameClient::OnPeerCloseDelay() {
    if (state_.peer != 0) link_.Close(state_.peer);
    state_.peer = 0;
}

void GameClient::OnOpponentRequestDelay() {
    const std::string url = RequestOpponentRequest(env_.BaseUrl());
    workers_.Start([this, url] { opponentReply_.Store(env_.Fetch(url)); });
    env_.StartOpponentAnswerCheck();
}

void GameClient::OnOpponentAnswerCheck() {
    std::string reply;
    // The answer is only collected; nothing acts on it.
    if (opponentReply_.Take(reply)) env_.StopOpponentAnswerCheck();
}

}  // namespace lmn::game
