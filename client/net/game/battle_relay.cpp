#include "battle_relay.h"

#include "gbk_literal.h"
#include "lobby_requests.h"
#include "message_types.h"
#include "package_writer.h"

namespace lmn::game {

using namespace lmn::net;

namespace {
constexpr const char* kCanStart = "type=[p2pgame_can_start]";
}

bool BattleRelay::Dispatch(ConnectionHandle from, PackageReader& reader) {
    switch (reader.type()) {
        case MSG_GAME_DEAL:
            env_.QueuePageText(reader.readString());
            return true;
        case MSG_LOAD_DONE:
        case MSG_SRV_LOAD_DONE:
            OnOpponentLoaded();
            return true;
        case MSG_SRV_CHAT: {
            const std::string speaker = reader.readString();
            env_.CallPage("type=[battle_mode_chat]&content=[" + speaker + "]:" + reader.readString());
            return true;
        }
        case MSG_SRV_GAME_OVER:
            OnRoomGameOver();
            return true;
        case MSG_RESTART_ASK:
            OnRestartAsked();
            return true;
        case MSG_RESTART_REPLY:
            env_.Ask(Utf8ToGbkLiteral(reader.readInt32() != 0 ? "对局重新开始" : "对方拒绝重新开始"), "",
                     Buttons::Ok);
            return true;
        case MSG_REMATCH_ASK:
            if (state_.peer != 0 && from == state_.peer) OnRematchAsked(false);
            return true;
        case MSG_SRV_REMATCH_ASK:
            OnRematchAsked(true);
            return true;
        case MSG_REMATCH_REPLY:
            OnRematchAnswer(false, reader.readInt32());
            return true;
        case MSG_SRV_REMATCH_REPLY:
            OnRematchAnswer(true, reader.readInt32());
            return true;
        default:
            return false;
    }
}

void BattleRelay::GameDeal(const std::string& commandText) {
    PackageWriter deal(MSG_GAME_DEAL);
    deal.string(commandText);
    routes_.ToOpponent(deal);
}

void BattleRelay::GameLoadOver() {
    state_.ownGameLoaded = true;
    if (room_.Connected()) {
        PackageWriter done(MSG_SRV_LOAD_DONE);
        routes_.ToRoom(done);
    } else {
        PackageWriter done(MSG_LOAD_DONE);
        routes_.ToPeer(done);
    }
    if (state_.opponentLoaded) env_.CallPage(kCanStart);
}

void BattleRelay::OnOpponentLoaded() {
    state_.opponentLoaded = true;
    if (state_.ownGameLoaded) env_.CallPage(kCanStart);
}

void BattleRelay::GamePreEnd() {
    PackageWriter over(MSG_SRV_GAME_OVER);
    routes_.ToRoom(over);
}

void BattleRelay::GameEnd() {
    state_.link = LinkState::Idle;
    state_.inGame = false;
    // The game has ended normally: a rematch request may now be answered, and the opponent
    // leaving afterwards is no loss of connection.
    state_.gameOver = true;
    state_.gameOverGrace = false;
    env_.Fetch(DeleteMatchRequest(env_.BaseUrl(), env_.Player().userId, state_.opponentId));
    // The peer stays open a moment so the last battle action still leaves.
    env_.StartPeerCloseDelay();
    if (state_.relayed) {
        state_.relayed = false;
        PackageWriter over(MSG_SRV_GAME_OVER);
        routes_.ToRoom(over);
    }
}

void BattleRelay::OnRoomGameOver() {
    state_.relayed = false;
    if (state_.gameOver) return;
    // The opponent's end of the game can overtake the last battle action on its way to the
    // page: the page gets a moment to report the end itself before this counts as a loss.
    state_.gameOverGrace = true;
    env_.StartGameOverGrace();
}

void BattleRelay::OnGameOverGrace() {
    // Only for the game the word came in: a game ended meanwhile, or a new one set up (a quick
    // rematch), is not lost by it.
    if (!state_.gameOverGrace) return;
    state_.gameOverGrace = false;
    if (state_.gameOver) return;
    LeaveLostGame("对方断线");
}

void BattleRelay::GameNext() {
    if (env_.Ask(Utf8ToGbkLiteral("确定要向对方玩家申请再战一局吗?"), Utf8ToGbkLiteral("确定"),
                 Buttons::OkCancel) == Answer::Cancel)
        return;
    const PlayerContext& player = env_.Player();
    const std::string report = env_.Fetch(P2pInfoRequest(env_.BaseUrl(), player, env_.TickMs()));
    PackageWriter invite(MSG_SRV_INVITE);
    invite.int32(player.userId).string(player.userName).int32(state_.opponentId).string(report);
    routes_.ToRoom(invite);
}

void BattleRelay::OnRematchAsked(bool relayed) {
    if (!state_.gameOver) return;
    const bool accepted = env_.Ask(Utf8ToGbkLiteral("对方申请再战一局，同意吗?"), Utf8ToGbkLiteral("确定"),
                                   Buttons::OkCancel) != Answer::Cancel;
    if (accepted) state_.gameOver = false;
    PackageWriter reply(relayed ? MSG_SRV_REMATCH_REPLY : MSG_REMATCH_REPLY);
    reply.int32(accepted ? 1 : 0);
    if (relayed) {
        routes_.ToRoom(reply);
    } else {
        routes_.ToPeer(reply);
    }
}

void BattleRelay::OnRematchAnswer(bool relayed, int accepted) {
    if (accepted == 0) {
        env_.Ask(Utf8ToGbkLiteral("对方拒绝了您的请求"), "", Buttons::Ok);
        return;
    }
    state_.gameOver = false;
    if (relayed) {
        state_.relayed = true;
    } else {
        state_.link = LinkState::Linked;
    }
    setup_.SetUpAsInitiator(relayed, true);
}

void BattleRelay::RequestRestart() {
    if (env_.Ask(Utf8ToGbkLiteral("本功能主要用于人人对战发生程序错误时向对方申请重新开局，您确认要申请吗？"),
                 Utf8ToGbkLiteral("提示"), Buttons::YesNo) != Answer::Yes)
        return;
    PackageWriter ask(MSG_RESTART_ASK);
    routes_.ToOpponent(ask);
}

void BattleRelay::OnRestartAsked() {
    const bool yes = env_.Ask(Utf8ToGbkLiteral("对方发现程序错误，申请本局重新开始，您同意吗？"),
                              Utf8ToGbkLiteral("提示"), Buttons::YesNo) == Answer::Yes;
    PackageWriter reply(MSG_RESTART_REPLY);
    reply.int32(yes ? 1 : 0);
    routes_.ToOpponent(reply);
    if (!yes) return;
    if (state_.relayed) {
        PackageWriter rematch(MSG_SRV_REMATCH_REPLY);
        rematch.int32(1);
        routes_.ToRoom(rematch);
    } else {
        PackageWriter rematch(MSG_REMATCH_REPLY);
        rematch.int32(1);
        routes_.ToPeer(rematch);
    }
}

void BattleRelay::OnPeerCloseDelay() {
    if (state_.peer != 0) link_.Close(state_.peer);
    state_.peer = 0;
}

void BattleRelay::Chat(const std::string& content) {
    PackageWriter chat(MSG_SRV_CHAT);
    chat.string(content);
    routes_.ToRoom(chat);
}

bool BattleRelay::EnterKey() {
    if (!state_.inGame) return false;
    env_.QueuePageText("type=[game_deal]&type_d1=[enter]");
    return true;
}

void BattleRelay::OpponentLost() {
    state_.link = LinkState::Idle;
    if (state_.gameOver) {
        env_.Ask(Utf8ToGbkLiteral("对方已经离开"), "", Buttons::Ok);
        return;
    }
    LeaveLostGame("与对方的连接断开");
}

void BattleRelay::LeaveLostGame(const char* messageUtf8) {
    state_.inGame = false;
    env_.Ask(Utf8ToGbkLiteral(messageUtf8), "", Buttons::Ok);
    env_.Fetch(QuitMatchRequest(env_.BaseUrl()));
    env_.Navigate(env_.BaseUrl() + "p2pgame.php");
}

}  // namespace lmn::game
