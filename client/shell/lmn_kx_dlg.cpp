#include "lmn_kx_dlg.h"

#include <cstdio>
#include <memory>

#include "client_urls.h"
#include "command_queue.h"
#include "command_source.h"
#include "command_table.h"
#include "navigation_watch.h"
#include "paths.h"
#include "timer_table.h"
#include "trace_file.h"

namespace lmn::shell {

namespace {

// Without a transport nothing is sent.
class NoLink : public game::PackageLink {
  public:
    ConnectionId Connect(const std::string&, int) override { return kNoConnection; }
    bool Send(ConnectionId, net::PackageWriter&) override { return false; }
    void Close(ConnectionId) override {}
};

game::PackageLink& LinkOf(const ShellDeps& deps) {
    static NoLink none;
    return deps.roomLink ? static_cast<game::PackageLink&>(*deps.roomLink) : none;
}

}  // namespace

CLMN_KXDlg::CLMN_KXDlg(ShellDeps deps)
    : context_(std::move(deps)),
      game_(gameEnv_, LinkOf(context_.deps())),
      pollLoops_(context_.server(), context_.lobby()) {}

CLMN_KXDlg::~CLMN_KXDlg() {
    pollLoops_.StopAll();
}

void CLMN_KXDlg::OnInitDialog() {
    ShellHost& host = context_.host();
    host.StartTimer(kTimerFirstIntro, kFirstIntroDelayMs);
    settings_.Load();
    host.AddTrayIcon();
}

void CLMN_KXDlg::OnTimer(int id) {
    if (IsOneShotTimer(id)) context_.host().KillTimer(id);
    switch (id) {
        case kTimerFirstIntro:
            ShowFirstIntro();
            break;
        case kTimerCommandDrain:
            DrainInputs();
            break;
        case kTimerOpponentRequest:
        case kTimerRelay:
        case kTimerGameOverGrace:
            // Game logic that may ask the player something: it takes its turn with the
            // commands and packages.
            inputs_.Push(DueTimer{id});
            DrainInputs();
            break;
        case kTimerReadTime:
            sound_.OnReadTimeTick();
            break;
        case kTimerStartClientPage:
            StartClientPage();
            break;
        case kTimerGreeting:
            sound_.OnGreetingTimer();
            break;
        case kTimerOpponentAnswer:
            match_.OnOpponentAnswerTimer();
            break;
        case kTimerPageTextPump:
            PumpPageTexts();
            break;
        case kTimerPresenceReport:
            lobby_.OnPresenceReportTimer();
            break;
        case kTimerSecondIntro:
            ShowSecondIntro();
            break;
        default:
            break;
    }
}

bool CLMN_KXDlg::IntroPagesPresent(const char* page, const char* movie) const {
    const std::string dir = context_.PagePath();
    return PathExists(FullPath(dir, page)) && PathExists(FullPath(dir, movie));
}

void CLMN_KXDlg::ShowFirstIntro() {
    ShellHost& host = context_.host();
    if (!IntroPagesPresent("open.html", "flash/open.swf")) {
        host.StartTimer(kTimerStartClientPage, kClientPageNowMs);
        return;
    }
    host.Navigate(context_.PagePath() + "open.html");
    if (context_.state().config.bMusic) {
        host.StartTimer(kTimerSecondIntro, kSecondIntroDelayMs);
        host.StartTimer(kTimerGreeting, kGreetingDelayMs);
    } else {
        host.StartTimer(kTimerStartClientPage, kClientPageAfterShortIntroMs);
    }
}

void CLMN_KXDlg::ShowSecondIntro() {
    ShellHost& host = context_.host();
    if (!IntroPagesPresent("pt.html", "flash/pt.swf")) {
        host.StartTimer(kTimerStartClientPage, kClientPageNowMs);
        return;
    }
    host.Navigate(context_.PagePath() + "pt.html");
    host.StartTimer(kTimerStartClientPage, kClientPageAfterLongIntroMs);
}

bool CLMN_KXDlg::OnLeftButtonDown() {
    if (!context_.state().introSkippable) return false;
    const std::string url = context_.host().CurrentUrl();
    if (url.find("open.html") == std::string::npos && url.find("pt.html") == std::string::npos) return false;
    ShellHost& host = context_.host();
    host.KillTimer(kTimerSecondIntro);
    host.KillTimer(kTimerGreeting);
    host.StartTimer(kTimerStartClientPage, kClientPageNowMs);
    return true;
}

void CLMN_KXDlg::StartClientPage() {
    DialogState& state = context_.state();
    LobbyShared& lobby = context_.lobby();
    ServerAccess& server = context_.server();
    state.introSkippable = 0;
    lobby.SetLocalAddress(server.LocalAddress());
    const std::string base = lobby.BaseUrl();
    context_.host().Navigate(
        ClientPageUrl(base, context_.PagePath(), lobby.LocalAddress(), state.config, false));
    if (!state.clientPageShown && state.config.bMusic) context_.StartMusic();
    state.clientPageShown = true;
    // The two lobby answers are fetched while the page loads; commands and packages wait for
    // them, so each is handled as if they had been fetched before the page was asked for.
    ++lobbyRepliesPending_;
    const int run = ++lobbyRepliesAsked_;
    struct Replies {
        std::string outsideIp, serverAddress;
    };
    auto replies = std::make_shared<Replies>();
    context_.host().RunInBackground(
        [&server, base, replies] {
            replies->outsideIp = server.FetchText(LobbyUrl(base, "get_out_ip"));
            replies->serverAddress = server.FetchText(LobbyUrl(base, "get_srv_ip"));
        },
        [this, run, replies] {
            // Answers that come after those of a later run are out of date.
            if (run > lobbyRepliesApplied_) {
                lobbyRepliesApplied_ = run;
                context_.state().outsideIp = replies->outsideIp;
                context_.lobby().ApplyServerAddressReply(replies->serverAddress);
            }
            pollLoops_.StartOne();
            if (--lobbyRepliesPending_ == 0 && !inputs_.Empty())
                context_.host().StartTimer(kTimerCommandDrain, kCommandDrainMs);
        });
}

bool CLMN_KXDlg::OnBeforeNavigate(const std::string& url) {
    switch (ClassifyBeforeNavigate(url)) {
        case BeforeNavigateAction::QueueCommand:
            QueueInput(PageCommand{StripCommandHost(url)});
            return true;
        case BeforeNavigateAction::ReopenClientPage:
            context_.host().StartTimer(kTimerStartClientPage, kClientPageNowMs);
            AppendTraceCharacter(context_.deps().traceFile, '2');
            return true;
        case BeforeNavigateAction::EnterWatchPage:
            context_.state().pageReady = 0;
            return false;
        case BeforeNavigateAction::Pass:
            return false;
    }
    return false;
}

bool CLMN_KXDlg::AcceptsCommandsFrom(const std::string& sourceUrl) {
    if (CommandSourceAllowed(sourceUrl, context_.BaseUrl(), context_.state().room.baseUrl)) return true;
    std::fprintf(stderr, "LMN_KX: ignored a command from a frame of another host (%s)\n", sourceUrl.c_str());
    return false;
}

void CLMN_KXDlg::OnNavigateComplete(const std::string& url) {
    if (!IsPlainIndexPage(url)) return;
    context_.host().StartTimer(kTimerStartClientPage, kClientPageNowMs);
    AppendTraceCharacter(context_.deps().traceFile, '1');
}

void CLMN_KXDlg::OnMainFrameLoadFinished(const std::string& url, bool failed) {
    const int delay = clientPageRetry_.OnLoadFinished(url, failed);
    if (delay > 0) context_.host().StartTimer(kTimerStartClientPage, delay);
}

bool CLMN_KXDlg::OnNewWindow(const std::string& url) {
    if (NewWindowStaysInClient(url)) return true;
    context_.host().OpenInUserBrowser(url);
    return false;
}

void CLMN_KXDlg::OnNetEvent(net::NetEvent event) {
    QueueInput(std::move(event));
}

void CLMN_KXDlg::QueueInput(Input input) {
    inputs_.Push(std::move(input));
    context_.host().StartTimer(kTimerCommandDrain, kCommandDrainMs);
}

void CLMN_KXDlg::DrainInputs() {
    if (lobbyRepliesPending_ > 0) return;
    // Called again from the nested event loop of a handler's message box or menu, it returns
    // at once: the inputs behind that handler wait until it is done.
    if (inputs_.Drain([this](Input& input) { HandleInput(input); }))
        context_.host().KillTimer(kTimerCommandDrain);
}

void CLMN_KXDlg::HandleInput(Input& input) {
    if (auto* command = std::get_if<PageCommand>(&input)) {
        DispatchCommand(command->text);
    } else if (auto* event = std::get_if<net::NetEvent>(&input)) {
        game_.OnNetEvent(*event);
    } else {
        OnGameTimer(std::get<DueTimer>(input).id);
    }
}

void CLMN_KXDlg::OnGameTimer(int id) {
    switch (id) {
        case kTimerOpponentRequest:
            match_.OnOpponentRequestTimer();
            break;
        case kTimerRelay:
            battle_.OnRelayTimer();
            break;
        case kTimerGameOverGrace:
            battle_.OnGameOverGraceTimer();
            break;
        default:
            break;
    }
}

void CLMN_KXDlg::DispatchCommand(const std::string& text) {
    for (const CommandRow* row : MatchingCommandRows(text)) {
        if (row->killsOpponentTimer) context_.host().KillTimer(kTimerOpponentRequest);
        row->handler(*this, text);
    }
}

void CLMN_KXDlg::OnPageReady() {
    context_.SetPageReady(true);
}

void CLMN_KXDlg::PumpPageTexts() {
    DialogState& state = context_.state();
    state.pageTexts.Pump(state.pageReady != 0,
                         [this](const std::string& text) { context_.CallPageScript(text); });
}

void CLMN_KXDlg::ShowRightClickMenu() {
    const int command = context_.host().ShowContextMenu(RightClickMenu());
    if (command != 0) OnMenuCommand(command);
}

void CLMN_KXDlg::OnMenuCommand(int command) {
    if (navigation_.OnMenuCommand(command)) return;
    switch (command) {
        case kCmdToggleMusic:
            sound_.OnToggleMusic();
            break;
        case kCmdToggleSound:
            sound_.OnToggleSound();
            break;
        case kCmdToggleVoice:
            sound_.OnToggleVoice();
            break;
        case kCmdTrayShow:
            context_.host().SetWindowVisible(true);
            break;
        case kCmdTrayQuit:
            Quit();
            break;
        default:
            break;
    }
}

void CLMN_KXDlg::OnClose() {
    context_.host().SetWindowVisible(false);
}

bool CLMN_KXDlg::OnOk() {
    return game_.EnterKey();
}

void CLMN_KXDlg::OnHotKey(int id) {
    if (id != kHotKeyAltX && id != kHotKeyAltF9) return;
    ShowWindowAndTray(!context_.host().IsWindowVisible());
}

void CLMN_KXDlg::ShowWindowAndTray(bool visible) {
    ShellHost& host = context_.host();
    host.SetWindowVisible(visible);
    if (visible) {
        host.AddTrayIcon();
    } else {
        host.RemoveTrayIcon();
    }
}

void CLMN_KXDlg::OnTrayDoubleClick() {
    context_.host().SetWindowVisible(true);
}

void CLMN_KXDlg::OnTrayRightClick() {
    const int command = context_.host().ShowContextMenu(TrayMenu());
    if (command != 0) OnMenuCommand(command);
}

void CLMN_KXDlg::Quit() {
    context_.StopMusic();
    context_.server().FetchAndEndAll(LobbyUrl(context_.BaseUrl(), "login_out"));
    pollLoops_.StopAll();
    context_.host().Quit(0);
}

}  // namespace lmn::shell
