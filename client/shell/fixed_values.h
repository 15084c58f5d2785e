// Values the game's servers, pages and the other programs rely on.
#pragma once

#include <string_view>

namespace lmn::shell {

// Pages send commands by navigating to http://<kCommandHost>/...
inline constexpr std::string_view kCommandHost = "lmnkx-cmd";
inline constexpr std::string_view kDefaultBaseUrl = "http://127.0.0.1/game/zrk/";
inline constexpr std::string_view kInitialRoomServer = "127.0.0.1";
// New windows whose address holds this host open inside the client; all others go to the user's browser.
inline constexpr std::string_view kPortalHost = "portal.lumenfold.example";
inline constexpr std::string_view kTraceFile = "c://KX_log.txt";
inline constexpr std::string_view kUpdaterName = "update.exe";
inline constexpr std::string_view kConfigName = "config.ini";
inline constexpr double kVersion = 4.62;

inline constexpr int kListenPort = 11978;
inline constexpr int kRoomServerPort = 20000;

inline constexpr int kWindowWidth = 988;
inline constexpr int kWindowHeight = 630;

inline constexpr int kHotKeyAltX = 8888;
inline constexpr int kHotKeyAltF9 = 8889;

// The caption of the program's message boxes: the program's name.
inline constexpr const char* kMessageCaption = "LMN_KX";

}  // namespace lmn::shell
