// The main window's timers. Their ids are fixed: handlers, pages and later work refer to them.
#pragma once

namespace lmn::shell {

enum TimerId : int {
    kTimerFirstIntro = 1,       // 1 ms, one-shot: first introduction page
    kTimerCommandDrain = 2,     // 0 ms, one-shot, started when a command or package arrives: handle them
    kTimerOpponentRequest = 3,  // 3000 ms, one-shot: start one opponent request
    kTimerRelay = 4,            // 1000 ms, one-shot: battle relay
    kTimerReadTime = 5,         // 1000 ms, periodic: read-time countdown step
    kTimerStartClientPage = 6,  // 1, 10000 or 96000 ms, one-shot: StartClientPage
    kTimerGreeting = 7,         // 3700 ms, one-shot: greeting voice
    kTimerOpponentAnswer = 8,   // 1 ms, periodic: collect the opponent-request answer
    kTimerPageTextPump = 9,     // 0 ms, one-shot, started when a text waits for a ready page: deliver
    kTimerPresenceReport = 10,  // 600000 ms, periodic: presence report
    kTimerGameOverGrace = 11,   // 1000 ms, one-shot: the opponent ended the game; has the page too?
    kTimerSecondIntro = 12,     // 10000 ms, one-shot: second introduction page
};

// The next turn of the event loop: the work runs as soon as the current event has returned.
inline constexpr int kCommandDrainMs = 0;
inline constexpr int kPageTextPumpMs = 0;
inline constexpr int kFirstIntroDelayMs = 1;
inline constexpr int kSecondIntroDelayMs = 10000;
inline constexpr int kGreetingDelayMs = 3700;
inline constexpr int kClientPageAfterShortIntroMs = 10000;
inline constexpr int kClientPageAfterLongIntroMs = 96000;
inline constexpr int kClientPageNowMs = 1;
inline constexpr int kRelayCloseDelayMs = 1000;
inline constexpr int kOpponentRequestDelayMs = 3000;
inline constexpr int kOpponentAnswerCheckMs = 1;
inline constexpr int kGameOverGraceMs = 1000;
inline constexpr int kPresenceReportMs = 600000;

// A one-shot timer is killed by its handler before the handler's work.
bool IsOneShotTimer(int id);

}  // namespace lmn::shell
