#include "match_service.h"

#include "message_types.h"

namespace lmn::dev {

using namespace lmn::net;

MatchService::MatchService(Outbox& outbox, RoomDirectory& directory, const RoomOptions& options, RoomLog log)
    : outbox_(outbox), directory_(directory), options_(options), log_(std::move(log)) {}

void MatchService::AutoGroup(const Session& player, std::int32_t roomId, std::int32_t wantedOpponent) {
    if (auto partner = pairing_.Offer(player.userId, roomId, wantedOpponent)) {
        Begin(*partner, player.userId, roomId);
        return;
    }
    if (!options_.aiPairing) return;
    pairing_.Cancel(player.userId);
    PackageWriter ai(MSG_SRV_AI_GAME);
    ai.int32(options_.aiPlayerId);
    outbox_.ToHandle(player.handle, ai);
    log_("ai-game user=" + std::to_string(player.userId));
}

void MatchService::CancelAutoGroup(const Session& player) {
    pairing_.Cancel(player.userId);
}

void MatchService::StartInvited(std::int32_t inviter, std::int32_t invitee) {
    Session* first = directory_.ByUser(inviter);
    if (!first || !directory_.ByUser(invitee) || inviter == invitee) {
        log_("match-start refused " + std::to_string(inviter) + " " + std::to_string(invitee));
        return;
    }
    Begin(inviter, invitee, first->roomId);
}

void MatchService::Begin(std::int32_t initiator, std::int32_t other, std::int32_t roomId) {
    pairing_.Cancel(initiator);
    pairing_.Cancel(other);
    Abandon(initiator, other);
    Abandon(other, initiator);
    matches_.Start(initiator, other, roomId);
    PackageWriter start(MSG_SRV_MATCH_START);
    start.int32(other);
    outbox_.ToUser(initiator, start);
    log_("match " + std::to_string(initiator) + " " + std::to_string(other));
    BroadcastMatchList(roomId);
}

void MatchService::Abandon(std::int32_t userId, std::int32_t nextOpponent) {
    Match* match = matches_.OfUser(userId);
    if (!match) return;
    std::int32_t opponent = match->Opponent(userId);
    if (opponent != nextOpponent && !match->over[match->Seat(userId)]) {
        PackageWriter over(MSG_SRV_GAME_OVER);
        outbox_.ToUser(opponent, over);
    }
    std::int32_t roomId = match->roomId;
    matches_.End(match->id);
    BroadcastMatchList(roomId);
}

void MatchService::Relay(const Session& player, PackageReader& reader,
                         std::span<const std::uint8_t> package) {
    Match* match = matches_.OfUser(player.userId);
    if (!match) {
        log_("no match for user=" + std::to_string(player.userId));
        return;
    }
    std::int32_t opponent = match->Opponent(player.userId);
    switch (reader.type()) {
        case MSG_GAME_DEAL: {
            std::string action = reader.readString();
            outbox_.RawToUser(opponent, package);
            MatchTable::Record(*match, action);
            for (ConnectionHandle watcher : match->watchers) SendState(watcher, *match, action);
            break;
        }
        case MSG_RESTART_ASK:
        case MSG_RESTART_REPLY:
            outbox_.RawToUser(opponent, package);
            break;
        case MSG_SRV_GAME_SETUP: {
            PackageWriter setup(MSG_SRV_GAME_SETUP);
            std::int32_t first = reader.readInt32();
            setup.int32(first)
                .string(reader.readString())
                .string(reader.readString())
                .int32(reader.readInt32());
            match->firstPlayer = first != 0 ? player.userId : opponent;
            match->over = {false, false};
            match->actions.clear();
            match->actionBytes = 0;
            outbox_.ToUser(opponent, setup);
            break;
        }
        case MSG_SRV_LOAD_DONE: {
            PackageWriter done(MSG_SRV_LOAD_DONE);
            outbox_.ToUser(opponent, done);
            break;
        }
        case MSG_SRV_REMATCH_REPLY: {
            PackageWriter reply(MSG_SRV_REMATCH_REPLY);
            reply.int32(reader.readInt32());
            outbox_.ToUser(opponent, reply);
            break;
        }
        case MSG_SRV_GAME_OVER:
            GameOver(*match, player.userId);
            break;
        default:
            break;
    }
}

void MatchService::GameOver(Match& match, std::int32_t userId) {
    int seat = match.Seat(userId);
    if (match.over[seat]) return;
    match.over[seat] = true;
    PackageWriter over(MSG_SRV_GAME_OVER);
    outbox_.ToUser(match.Opponent(userId), over);
    if (match.over[0] && match.over[1]) {
        std::int32_t roomId = match.roomId;
        matches_.End(match.id);
        BroadcastMatchList(roomId);
    }
}

void MatchService::Watch(const Session& watcher, std::int32_t firstId, std::int32_t secondId) {
    QuitWatch(watcher.handle);
    Match* match = matches_.Between(firstId, secondId);
    if (!match) {
        log_("no match to watch " + std::to_string(firstId) + " " + std::to_string(secondId));
        return;
    }
    match->watchers.insert(watcher.handle);
    if (match->actions.empty()) SendState(watcher.handle, *match, "");
    for (const std::string& action : match->actions) SendState(watcher.handle, *match, action);
}

void MatchService::QuitWatch(ConnectionHandle watcher) {
    if (Match* match = matches_.Watched(watcher)) match->watchers.erase(watcher);
}

void MatchService::SendState(ConnectionHandle watcher, const Match& match, const std::string& action) {
    PackageWriter state(MSG_SRV_WATCH_STATE);
    state.int32(match.firstPlayer).string(action);
    outbox_.ToHandle(watcher, state);
}

void MatchService::PlayerLeft(std::int32_t userId) {
    pairing_.Cancel(userId);
    Abandon(userId, 0);
}

PackageWriter MatchService::MatchList(std::int32_t roomId) {
    auto list = matches_.InRoom(roomId);
    PackageWriter package(MSG_SRV_MATCH_LIST);
    package.int32(static_cast<std::int32_t>(list.size()));
    for (const Match* match : list) {
        std::string info = std::to_string(match->players[0]) + "," + std::to_string(match->players[1]);
        for (std::int32_t id : match->players) {
            Session* session = directory_.ByUser(id);
            info += "," + (session ? session->name : std::string());
        }
        package.string(info);
    }
    return package;
}

void MatchService::BroadcastMatchList(std::int32_t roomId) {
    PackageWriter list = MatchList(roomId);
    outbox_.ToRoom(roomId, list);
}

}  // namespace lmn::dev
