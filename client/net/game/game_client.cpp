#include "game_client.h"

#include "gbk_literal.h"

namespace lmn::game {

using namespace lmn::net;

GameClient::GameClient(GameEnv& env, PackageLink& link)
    : env_(env),
      room_(link),
      routes_(link, room_, state_),
      lobby_(env, room_, routes_),
      watch_(env, routes_),
      setup_(env, link, state_, routes_, lobby_),
      relay_(env, link, room_, state_, routes_, setup_),
      direct_(env, link, state_, routes_, relay_),
      opponentRequest_(env) {}

void GameClient::OnNetEvent(const NetEvent& event) {
    if (room_.Is(event.handle)) {
        OnRoomEvent(event);
    } else {
        OnDirectEvent(event);
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
            room_.Forget();
            // A relayed battle travels over the room connection: without it the opponent is gone.
            if (battleLost) {
                state_.relayed = false;
                relay_.OpponentLost();
            }
            break;
        }
        case NET_CONNECTED:
            room_.MarkConnected();
            lobby_.OnRoomConnected();
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

void GameClient::OnDirectEvent(const NetEvent& event) {
    if (event.code != NET_DATA) {
        direct_.OnEvent(event);
        return;
    }
    PackageReader reader(event.data);
    if (direct_.Admits(event.handle, reader)) Dispatch(event.handle, reader);
}

void GameClient::Dispatch(ConnectionHandle from, PackageReader& reader) {
    try {
        if (lobby_.Dispatch(from, reader)) return;
        if (watch_.Dispatch(reader)) return;
        if (setup_.Dispatch(from, reader)) return;
        relay_.Dispatch(from, reader);
    } catch (const PackageError&) {
        // A short package: what it carried up to its end has been used, the rest is dropped.
    }
}

}  // namespace lmn::game
