// The game client's side of the lobby, match set-up, battle relay and watching: it takes the
// transport's events and the page's commands, keeps the match state, and answers through its
// GameEnv (page, message boxes, timers, lobby requests) and PackageLink (packages).
//
// Two players meet through the room server (relayed mode: the battle goes over the room
// connection) or over a direct link to this client's listening port. Either way the set-up
// ends in both clients opening the battle page with opposite first flags.
#pragma once

#include <cstdint>
#include <random>
#include <span>
#include <string>

#include "game_env.h"
#include "net_event.h"
#include "package_reader.h"
#include "worker_threads.h"

namespace lmn::game {

enum class LinkState { Idle = 1, HelloSent = 3, Linked = 4 };

struct MatchState {
    ConnectionHandle connectedRoom = 0;  // the room connection that reported NET_CONNECTED
    ConnectionHandle peer = 0;
    LinkState link = LinkState::Idle;
    int opponentId = 0;
    int first = 0;
    std::string seeds1;
    std::string seeds2;
    bool relayed = false;
    bool inGame = false;
    bool gameOver = false;
    bool gameOverGrace = false;  // the opponent ended this game; waiting for the own page to end it
    bool ownGameLoaded = false;
    bool opponentLoaded = false;
};

class GameClient {
  public:
    GameClient(GameEnv& env, PackageLink& link);
    ~GameClient();
    GameClient(const GameClient&) = delete;
    GameClient& operator=(const GameClient&) = delete;

    const MatchState& state() const { return state_; }
    bool RoomConnected() const;

    void OnNetEvent(const net::NetEvent& event);

    // Lobby
    // After [userinfo]: the short login, when the room connection is up.
    void SendShortLogin();
    void RequestUserList();

    // Match set-up
    void AutoGroup(int opponentId);
    void CancelAutoGroup();
    void Invite(int inviteeId);

    // Battle
    void GameDeal(const std::string& commandText);
    void GameLoadOver();
    void GamePreEnd();
    void GameEnd();
    void GameNext();
    void RequestRestart();
    void Chat(const std::string& content);
    // The Enter key: during a game it reaches the page as a battle action (true).
    bool EnterKey();

    // Watching
    void Watch(int firstId, int secondId);
    void QuitWatch();

    // Timers started through GameEnv
    void OnPeerCloseDelay();
    void OnOpponentRequestDelay();
    void OnOpponentAnswerCheck();
    void OnGameOverGrace();

  private:
    // Events
    void OnRoomEvent(const net::NetEvent& event);
    void OnPeerEvent(const net::NetEvent& event);
    // Events of a direct connection that is not the peer.
    void OnStrangerEvent(const net::NetEvent& event);
    void PeerLost();
    void Dispatch(ConnectionHandle from, net::PackageReader& reader);
    bool DispatchRoomPackage(ConnectionHandle from, net::PackageReader& reader);
    bool DispatchMatchPackage(ConnectionHandle from, net::PackageReader& reader);
    bool DispatchBattlePackage(ConnectionHandle from, net::PackageReader& reader);

    // Sending
    bool SendToRoom(net::PackageWriter& package);
    bool SendToPeer(net::PackageWriter& package);
    bool SendToOpponent(net::PackageWriter& package);
    void SendLongLogin();

    // Room lists and lobby relays
    void PassRoomList(net::PackageReader& reader);
    bool PageShowsRoom() const;
    // MSG_SRV_FETCH_FOR_ME: only the room server may ask, and only for a lobby request.
    void FetchForOther(ConnectionHandle from, net::PackageReader& reader);
    // Fetch with retries; on "fail" the other player is asked to fetch the URL instead.
    std::string FetchOrAskOther(int otherId, const std::string& url);
    void StoreReport(int otherId, const std::string& report);
    void OnWatchState(net::PackageReader& reader);

    // Set-up
    void OnHello(ConnectionHandle from, net::PackageReader& reader);
    void OnWelcome(net::PackageReader& reader);
    void OnInvited(net::PackageReader& reader);
    void OnInviteAnswer(net::PackageReader& reader);
    void OnComputerGame(net::PackageReader& reader);
    void SetUpAsInitiator(bool relayed, bool announceMatch);
    void OpenGamePage();

    // Relay
    void OnOpponentLoaded();
    void OnRoomGameOver();
    void OnRestartAsked();
    void OnRematchAsked(bool relayed);
    void OnRematchAnswer(bool relayed, int accepted);
    void OpponentLost();
    void LeaveLostGame(const char* messageUtf8);

    GameEnv& env_;
    PackageLink& link_;
    MatchState state_;
    std::minstd_rand random_;
    ReplySlot opponentReply_;
    WorkerThreads workers_;
};

}  // namespace lmn::game
