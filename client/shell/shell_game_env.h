// The main window as the lobby, match and battle logic sees it (GameEnv): the page, message
// boxes, the fixed timers, lobby requests and the player's identity out of the dialog state.
#pragma once

#include "game_env.h"
#include "shell_context.h"

namespace lmn::shell {

class ShellGameEnv : public game::GameEnv {
  public:
    explicit ShellGameEnv(ShellContext& context) : context_(context) {}

    void CallPage(const std::string& text) override { context_.CallPageScript(text); }
    void Navigate(const std::string& url) override { context_.host().Navigate(url); }
    std::string CurrentUrl() const override { return context_.host().CurrentUrl(); }
    void QueuePageText(std::string text) override { context_.QueuePageText(std::move(text)); }
    void SetPageLoaded(bool loaded) override { context_.SetPageReady(loaded); }

    game::Answer Ask(const std::string& text, const std::string& caption, game::Buttons buttons) override;
    void FlashCaption() override { context_.host().FlashCaption(); }

    void StartPeerCloseDelay() override;
    void StartOpponentRequestDelay() override;
    void StartOpponentAnswerCheck() override;
    void StopOpponentAnswerCheck() override;
    void StartGameOverGrace() override;

    std::string BaseUrl() const override { return context_.BaseUrl(); }
    std::string Fetch(const std::string& url) override { return context_.server().FetchText(url); }
    std::uint32_t TickMs() const override;
    std::int64_t CalendarSeconds() const override;

    const game::PlayerContext& Player() const override;
    void ForgetRoomConnection() override { context_.state().room.connection = kNoConnection; }

  private:
    ShellContext& context_;
    mutable game::PlayerContext player_;
};

}  // namespace lmn::shell
