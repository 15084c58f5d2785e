#include "direct_links.h"

#include "gbk_literal.h"
#include "message_types.h"
#include "package_writer.h"

namespace lmn::game {

using namespace lmn::net;

bool DirectLinks::Admits(ConnectionHandle from, const PackageReader& reader) {
    if (IsPeer(from)) return true;
    if (reader.type() != MSG_PEER_HELLO) {
        link_.Close(from);
        return false;
    }
    return state_.peer == 0 && !(state_.inGame && state_.relayed);
}

void DirectLinks::OnEvent(const NetEvent& event) {
    if (!IsPeer(event.handle)) {
        OnStrangerEvent(event);
        return;
    }
    if (event.code == NET_CLOSED || event.code == NET_ERROR) OnPeerGone();
}

void DirectLinks::OnPeerGone() {
    if (state_.gameOver && !state_.inGame) {
        // The opponent left after a game that ended normally.
        state_.peer = 0;
        state_.link = LinkState::Idle;
        env_.Ask(Utf8ToGbkLiteral("对方已经离开"), "", Buttons::Ok);
        return;
    }
    state_.peer = 0;
    if (state_.inGame) {
        relay_.OpponentLost();
        return;
    }
    state_.link = LinkState::Idle;
    env_.StartOpponentRequestDelay();
}

void DirectLinks::OnStrangerEvent(const NetEvent& event) {
    switch (event.code) {
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
            routes_.ToPeer(hello);
            break;
        }
        default:
            // A stranger's close or error: it was never the opponent, so nothing is lost.
            break;
    }
}

}  // namespace lmn::game
