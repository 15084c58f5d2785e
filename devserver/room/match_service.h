// Matches on the room server: pairing players who ask for a game, starting invited games,
// relaying a running game's packages between the two players, and feeding watchers.
//
// A match starts with MSG_SRV_MATCH_START (the opponent's id) to one player only, the
// initiator: its client then sets the game up with MSG_SRV_GAME_SETUP, which the other player
// receives and from which it learns its opponent. Sending the start to both would make both
// clients set up a game, each with its own first-move flag.
//
// Watchers get one MSG_SRV_WATCH_STATE per battle action, each carrying the first player's id:
// on attaching, every action so far in order (or one empty text when there is none yet), then
// each new action as it is relayed.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "match_table.h"
#include "outbox.h"
#include "package_reader.h"
#include "pairing_queue.h"
#include "room_directory.h"
#include "room_options.h"

namespace lmn::dev {

class MatchService {
  public:
    MatchService(Outbox& outbox, RoomDirectory& directory, const RoomOptions& options, RoomLog log);

    void AutoGroup(const Session& player, std::int32_t roomId, std::int32_t wantedOpponent);
    void CancelAutoGroup(const Session& player);
    // A client's MSG_SRV_MATCH_START after an accepted invitation: the inviter initiates.
    void StartInvited(std::int32_t inviter, std::int32_t invitee);

    // A game package of a player (battle action, restart, set-up, load, game over, rematch
    // reply) for its opponent. package is the received package, reader positioned on its fields.
    void Relay(const Session& player, net::PackageReader& reader, std::span<const std::uint8_t> package);

    void Watch(const Session& watcher, std::int32_t firstId, std::int32_t secondId);
    void QuitWatch(net::ConnectionHandle watcher);

    // The player's connection is gone: a running match ends with MSG_SRV_GAME_OVER for the opponent.
    void PlayerLeft(std::int32_t userId);

    // MSG_SRV_MATCH_LIST of a room: "<id1>,<id2>,<name1>,<name2>" per match.
    net::PackageWriter MatchList(std::int32_t roomId);

  private:
    void Begin(std::int32_t initiator, std::int32_t other, std::int32_t roomId);
    // Ends the player's current match; the opponent hears MSG_SRV_GAME_OVER unless the player
    // had already sent one, or unless the match is between the two players about to start anew.
    void Abandon(std::int32_t userId, std::int32_t nextOpponent);
    void GameOver(Match& match, std::int32_t userId);
    void SendState(net::ConnectionHandle watcher, const Match& match, const std::string& action);
    void BroadcastMatchList(std::int32_t roomId);

    Outbox& outbox_;
    RoomDirectory& directory_;
    const RoomOptions& options_;
    RoomLog log_;
    PairingQueue pairing_;
    MatchTable matches_;
};

}  // namespace lmn::dev
