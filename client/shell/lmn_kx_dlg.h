// The game client's main window without its platform: the start-up sequence, the introduction
// pages, the navigation watch, the command queue and its dispatch, the tray and hot keys, and
// the way the program ends. The host forwards its window, browser and timer events here.
#pragma once

#include <string>

#include "address_poll.h"
#include "battle_commands.h"
#include "client_page_retry.h"
#include "companion_commands.h"
#include "game_client.h"
#include "input_queue.h"
#include "lobby_commands.h"
#include "match_commands.h"
#include "navigation_commands.h"
#include "net_event.h"
#include "replay_commands.h"
#include "settings_commands.h"
#include "shell_context.h"
#include "shell_game_env.h"
#include "sound_commands.h"
#include "watch_commands.h"

namespace lmn::shell {

class CLMN_KXDlg {
  public:
    explicit CLMN_KXDlg(ShellDeps deps);
    ~CLMN_KXDlg();
    CLMN_KXDlg(const CLMN_KXDlg&) = delete;
    CLMN_KXDlg& operator=(const CLMN_KXDlg&) = delete;

    // Window
    void OnInitDialog();
    void OnTimer(int id);
    void OnClose();
    // The Enter key: during a battle it reaches the page through the page text queue (true).
    bool OnOk();
    void OnMenuCommand(int command);
    void OnHotKey(int id);
    void OnTrayDoubleClick();
    void OnTrayRightClick();
    // A left click on the browser; true when it skipped an introduction page and is used up.
    bool OnLeftButtonDown();

    // Browser events
    // Returns true when the navigation is to be cancelled.
    bool OnBeforeNavigate(const std::string& url);
    // Whether the frame at sourceUrl may give commands; a refusal is one line on standard error.
    bool AcceptsCommandsFrom(const std::string& sourceUrl);
    void OnNavigateComplete(const std::string& url);
    // A main-frame load ended; failed when the server could not be reached or answered with
    // an error (not when the load was cancelled or replaced by another navigation).
    void OnMainFrameLoadFinished(const std::string& url, bool failed);
    // Returns true when the new window may open inside the client.
    bool OnNewWindow(const std::string& url);

    // Command bridge
    void DispatchCommand(const std::string& text);
    void CallPageScript(const std::string& text) { context_.CallPageScript(text); }
    void StartClientPage();
    // Shows "RMENU" at the cursor and runs the chosen item.
    void ShowRightClickMenu();
    // [game_client_loadover]: the battle or watch page is ready for the page text queue.
    void OnPageReady();

    // Transport: an event of the room connection or of a direct connection. It is handled on
    // the next turn of the event loop, after every input that arrived before it.
    void OnNetEvent(net::NetEvent event);
    const game::GameClient& game() const { return game_; }

    ShellContext& context() { return context_; }
    SettingsCommands& settings() { return settings_; }
    NavigationCommands& navigation() { return navigation_; }
    LobbyCommands& lobby() { return lobby_; }
    MatchCommands& match() { return match_; }
    BattleCommands& battle() { return battle_; }
    WatchCommands& watch() { return watch_; }
    ReplayCommands& replays() { return replays_; }
    SoundCommands& sound() { return sound_; }
    CompanionCommands& companions() { return companions_; }
    const InputQueue& inputs() const { return inputs_; }

  private:
    void ShowFirstIntro();
    void ShowSecondIntro();
    // Commands and packages wait in arrival order; the drain runs on the next turn.
    void QueueInput(Input input);
    void DrainInputs();
    void HandleInput(Input& input);
    void OnGameTimer(int id);
    void PumpPageTexts();
    void ShowWindowAndTray(bool visible);
    void Quit();
    bool IntroPagesPresent(const char* page, const char* movie) const;

    ShellContext context_;
    ShellGameEnv gameEnv_{context_};
    game::GameClient game_;
    SettingsCommands settings_{context_};
    NavigationCommands navigation_{context_, game_};
    LobbyCommands lobby_{context_, game_};
    MatchCommands match_{game_};
    BattleCommands battle_{game_};
    WatchCommands watch_{game_};
    ReplayCommands replays_{context_};
    SoundCommands sound_{context_};
    CompanionCommands companions_{context_};
    InputQueue inputs_;
    ClientPageRetry clientPageRetry_;
    AddressPollLoops pollLoops_;
    // Runs of StartClientPage whose lobby answers have not been applied yet.
    int lobbyRepliesPending_ = 0;
    int lobbyRepliesAsked_ = 0, lobbyRepliesApplied_ = 0;
};

}  // namespace lmn::shell
