#include "match_setup.h"

#include "game_page_url.h"
#include "gbk_literal.h"
#include "lobby_requests.h"
#include "message_types.h"
#include "package_writer.h"
#include "seed_lists.h"

namespace lmn::game {

using namespace lmn::net;

MatchSetup::MatchSetup(GameEnv& env, PackageLink& link, MatchState& state, PackageRoutes& routes,
                       RoomLobby& lobby)
    : env_(env),
      link_(link),
      state_(state),
      routes_(routes),
      lobby_(lobby),
      random_(static_cast<std::minstd_rand::result_type>(env.TickMs()) | 1u) {}

bool MatchSetup::Dispatch(ConnectionHandle from, PackageReader& reader) {
    switch (reader.type()) {
        case MSG_PEER_HELLO:
            OnHello(from, reader);
            return true;
        case MSG_PEER_WELCOME:
            OnWelcome(reader);
            return true;
        case MSG_GAME_SETUP:
            state_.first = reader.readInt32();
            state_.seeds1 = reader.readString();
            state_.seeds2 = reader.readString();
            state_.first = InvertFirstFlag(state_.first);
            OpenGamePage();
            return true;
        case MSG_SRV_MATCH_START:
            state_.opponentId = reader.readInt32();
            state_.relayed = true;
            SetUpAsInitiator(true, false);
            return true;
        case MSG_SRV_GAME_SETUP:
            state_.first = reader.readInt32();
            state_.seeds1 = reader.readString();
            state_.seeds2 = reader.readString();
            state_.opponentId = reader.readInt32();
            state_.first = InvertFirstFlag(state_.first);
            state_.relayed = true;
            OpenGamePage();
            return true;
        case MSG_SRV_AI_GAME:
            OnComputerGame(reader);
            return true;
        case MSG_SRV_INVITE:
            OnInvited(reader);
            return true;
        case MSG_SRV_INVITE_REPLY:
            OnInviteAnswer(reader);
            return true;
        default:
            return false;
    }
}

void MatchSetup::AutoGroup(int opponentId) {
    const PlayerContext& player = env_.Player();
    const std::string report = env_.Fetch(P2pInfoRequest(env_.BaseUrl(), player, env_.TickMs()));
    PackageWriter group(MSG_SRV_AUTO_GROUP);
    group.int32(player.userId).int32(player.roomId).int32(opponentId).string(report);
    routes_.ToRoom(group);
}

void MatchSetup::CancelAutoGroup() {
    PackageWriter cancel(MSG_SRV_AUTO_GROUP);
    cancel.int32(env_.Player().userId).int32(0);
    routes_.ToRoom(cancel);
}

void MatchSetup::Invite(int inviteeId) {
    const PlayerContext& player = env_.Player();
    if (inviteeId == player.userId) {
        env_.Ask(Utf8ToGbkLiteral("不能邀请自己"), "", Buttons::Ok);
        return;
    }
    if (env_.Ask(Utf8ToGbkLiteral("确定邀请对方玩家人人对战吗?"), Utf8ToGbkLiteral("确定"),
                 Buttons::OkCancel) == Answer::Cancel)
        return;
    const std::string report =
        lobby_.FetchOrAskOther(inviteeId, P2pInfoRequest(env_.BaseUrl(), player, env_.TickMs()));
    PackageWriter invite(MSG_SRV_INVITE);
    invite.int32(player.userId).string(player.userName).int32(inviteeId).string(report);
    routes_.ToRoom(invite);
}

void MatchSetup::OnInvited(PackageReader& reader) {
    const std::int32_t inviterId = reader.readInt32();
    const std::string inviterName = reader.readString();
    const std::int32_t inviteeId = reader.readInt32();
    const std::string inviterReport = reader.readString();
    env_.FlashCaption();
    const std::string question =
        Utf8ToGbkLiteral("帅哥[") + inviterName + Utf8ToGbkLiteral("]邀请您人人对战，您同意吗?");
    PackageWriter reply(MSG_SRV_INVITE_REPLY);
    reply.int32(inviterId).int32(inviteeId);
    if (env_.Ask(question, Utf8ToGbkLiteral("提示"), Buttons::YesNo) == Answer::Yes) {
        lobby_.StoreReport(inviterId, inviterReport);
        const std::string own =
            lobby_.FetchOrAskOther(inviterId, P2pInfoRequest(env_.BaseUrl(), env_.Player(), env_.TickMs()));
        reply.int32(1).string(Utf8ToGbkLiteral("对方同意您的请求")).string(own);
    } else {
        reply.int32(0).string(Utf8ToGbkLiteral("对方拒绝您的请求")).string("");
    }
    routes_.ToRoom(reply);
}

void MatchSetup::OnInviteAnswer(PackageReader& reader) {
    env_.FlashCaption();
    const std::int32_t inviterId = reader.readInt32();
    const std::int32_t inviteeId = reader.readInt32();
    const std::int32_t accepted = reader.readInt32();
    const std::string text = reader.readString();
    if (accepted == 0) {
        env_.Ask(text, "", Buttons::Ok);
        return;
    }
    lobby_.StoreReport(inviteeId, reader.readString());
    PackageWriter start(MSG_SRV_MATCH_START);
    start.int32(inviterId).int32(inviteeId);
    routes_.ToRoom(start);
}

void MatchSetup::OnHello(ConnectionHandle from, PackageReader& reader) {
    if (state_.link != LinkState::Idle) {
        link_.Close(from);
        if (from == state_.peer) state_.peer = 0;
        return;
    }
    state_.opponentId = reader.readInt32();
    state_.link = LinkState::Linked;
    state_.peer = from;
    PackageWriter welcome(MSG_PEER_WELCOME);
    welcome.int32(env_.Player().userId);
    routes_.ToPeer(welcome);
    env_.Fetch(AutoGroupRequest(env_.BaseUrl()));
}

void MatchSetup::OnWelcome(PackageReader& reader) {
    if (state_.link != LinkState::HelloSent) {
        if (state_.peer != 0) link_.Close(state_.peer);
        state_.peer = 0;
        return;
    }
    state_.opponentId = reader.readInt32();
    state_.link = LinkState::Linked;
    SetUpAsInitiator(false, true);
}

void MatchSetup::SetUpAsInitiator(bool relayed, bool announceMatch) {
    const int ownId = env_.Player().userId;
    if (announceMatch) {
        env_.Fetch(AutoGroupRequest(env_.BaseUrl()));
        env_.Fetch(AddMatchRequest(env_.BaseUrl(), ownId, state_.opponentId));
    }
    state_.first = FirstFlagAt(env_.CalendarSeconds());
    state_.seeds1 = MakeSeedList(random_);
    state_.seeds2 = MakeSeedList(random_);
    if (relayed) {
        PackageWriter setup(MSG_SRV_GAME_SETUP);
        setup.int32(state_.first).string(state_.seeds1).string(state_.seeds2).int32(ownId);
        routes_.ToRoom(setup);
    } else {
        PackageWriter setup(MSG_GAME_SETUP);
        setup.int32(state_.first).string(state_.seeds1).string(state_.seeds2);
        routes_.ToPeer(setup);
    }
    OpenGamePage();
}

void MatchSetup::OpenGamePage() {
    const PlayerContext& player = env_.Player();
    GamePageParams params;
    params.first = state_.first;
    params.roomId = player.roomId;
    params.ownId = player.userId;
    params.opponentId = state_.opponentId;
    env_.Navigate(GamePageUrl(env_.BaseUrl(), params));
    state_.inGame = true;
    state_.gameOver = false;
    state_.gameOverGrace = false;
    state_.ownGameLoaded = false;
    state_.opponentLoaded = false;
    env_.SetPageLoaded(false);
}

void MatchSetup::OnComputerGame(PackageReader& reader) {
    const PlayerContext& player = env_.Player();
    state_.opponentId = reader.readInt32();
    GamePageParams params;
    params.first = state_.first = FirstFlagAt(env_.CalendarSeconds());
    params.againstComputer = true;
    params.roomId = player.roomId;
    params.ownId = player.userId;
    params.opponentId = state_.opponentId;
    params.seeds1 = state_.seeds1 = MakeSeedList(random_);
    params.seeds2 = state_.seeds2 = MakeSeedList(random_);
    env_.Navigate(GamePageUrl(env_.BaseUrl(), params));
    // No loading handshake against the computer.
    state_.gameOver = false;
    state_.gameOverGrace = false;
    state_.ownGameLoaded = true;
    state_.opponentLoaded = true;
    env_.SetPageLoaded(true);
}

}  // namespace lmn::game
