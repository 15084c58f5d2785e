#include "opponent_request.h"

#include "lobby_requests.h"

namespace lmn::game {

void OpponentRequest::OnDelay() {
    const std::string url = RequestOpponentRequest(env_.BaseUrl());
    workers_.Start([this, url] { reply_.Store(env_.Fetch(url)); });
    env_.StartOpponentAnswerCheck();
}

void OpponentRequest::OnAnswerCheck() {
    std::string reply;
    // The answer is only collected; nothing acts on it.
    if (reply_.Take(reply)) env_.StopOpponentAnswerCheck();
}

}  // namespace lmn::game
