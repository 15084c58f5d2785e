// The game client's side of the lobby, match set-up, battle relay and watching: it owns the
// room connection and the match state, routes the transport's events and packages to the
// part that handles them, and takes the page's commands. The parts answer through GameEnv
// (page, message boxes, timers, lobby requests) and PackageLink (packages).
//
// Two players meet through the room server (relayed mode: the battle goes over the room
// connection) or over a direct link to this client's listening port. Either way the set-up
// ends in both clients opening the battle page with opposite first flags.
#pragma once

#include <string>

#include "battle_relay.h"
#include "direct_links.h"
#include "game_env.h"
#include "match_setup.h"
#include "match_state.h"
#include "match_watch.h"
#include "net_event.h"
#include "opponent_request.h"
#include "package_reader.h"
#include "package_routes.h"
#include "room_connection.h"
#include "room_lobby.h"

namespace lmn::game {

class GameClient {
  public:
    GameClient(GameEnv& env, PackageLink& link);
    GameClient(const GameClient&) = delete;
    GameClient& operator=(const GameClient&) = delete;

    const MatchState& state() const { return state_; }

    // Room connection
    // Entering a room: any room connection in use is closed and one to address:port started.
    void EnterRoom(const std::string& address, int port) { room_.Open(address, port); }
    // Leaving the room closes its connection.
    void LeaveRoom() { room_.Close(); }
    bool RoomConnected() const { return room_.Connected(); }
    // The room connection being made or up; 0 when there is none.
    ConnectionHandle RoomHandle() const { return room_.handle(); }

    void OnNetEvent(const net::NetEvent& event);

    // Lobby
    // After [userinfo]: the short login, when the room connection is up.
    void SendShortLogin() { lobby_.SendShortLogin(); }
    void RequestUserList() { lobby_.RequestUserList(); }

    // Match set-up
    void AutoGroup(int opponentId) { setup_.AutoGroup(opponentId); }
    void CancelAutoGroup() { setup_.CancelAutoGroup(); }
    void Invite(int inviteeId) { setup_.Invite(inviteeId); }

    // Battle
    void GameDeal(const std::string& commandText) { relay_.GameDeal(commandText); }
    void GameLoadOver() { relay_.GameLoadOver(); }
    void GamePreEnd() { relay_.GamePreEnd(); }
    void GameEnd() { relay_.GameEnd(); }
    void GameNext() { relay_.GameNext(); }
    void RequestRestart() { relay_.RequestRestart(); }
    void Chat(const std::string& content) { relay_.Chat(content); }
    // The Enter key: during a game it reaches the page as a battle action (true).
    bool EnterKey() { return relay_.EnterKey(); }

    // Watching
    void Watch(int firstId, int secondId) { watch_.Watch(firstId, secondId); }
    void QuitWatch() { watch_.QuitWatch(); }

    // Timers started through GameEnv
    void OnPeerCloseDelay() { relay_.OnPeerCloseDelay(); }
    void OnOpponentRequestDelay() { opponentRequest_.OnDelay(); }
    void OnOpponentAnswerCheck() { opponentRequest_.OnAnswerCheck(); }
    void OnGameOverGrace() { relay_.OnGameOverGrace(); }

  private:
    void OnRoomEvent(const net::NetEvent& event);
    void OnDirectEvent(const net::NetEvent& event);
    void Dispatch(ConnectionHandle from, net::PackageReader& reader);

    GameEnv& env_;
    MatchState state_;
    RoomConnection room_;
    PackageRoutes routes_;
    RoomLobby lobby_;
    MatchWatch watch_;
    MatchSetup setup_;
    BattleRelay relay_;
    DirectLinks direct_;
    OpponentRequest opponentRequest_;
};

}  // namespace lmn::game
