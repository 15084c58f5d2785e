// The message catalogue: the type of every package exchanged with the room server or with
// another game client over a direct connection. Any other type is ignored by receivers.
#pragma once

#include <cstdint>

namespace lmn::net {

// Direct connection between two game clients.
inline constexpr std::int32_t MSG_PEER_HELLO = 100;     // int32 sender's user id
inline constexpr std::int32_t MSG_PEER_WELCOME = 101;   // int32 sender's user id
inline constexpr std::int32_t MSG_GAME_SETUP = 102;     // int32 first flag, string seeds 1, string seeds 2
inline constexpr std::int32_t MSG_GAME_DEAL = 103;      // string page command text
inline constexpr std::int32_t MSG_REMATCH_ASK = 104;    // none
inline constexpr std::int32_t MSG_REMATCH_REPLY = 105;  // int32 accepted
inline constexpr std::int32_t MSG_RESTART_ASK = 106;    // none
inline constexpr std::int32_t MSG_RESTART_REPLY = 107;  // int32 accepted
inline constexpr std::int32_t MSG_LOAD_DONE = 110;      // none

// Room server.
// Long form: int32 user id, string name, int32 room id, int32 server id, string server name,
// string base URL. Short form: int32 user id, string name.
inline constexpr std::int32_t MSG_SRV_LOGIN = 1001;
// int32 user id, int32 room id, int32 opponent id, string address report; cancel: int32 user id, int32 0.
inline constexpr std::int32_t MSG_SRV_AUTO_GROUP = 1002;
// Server to client: int32 opponent id. Client to server: int32 inviter id, int32 invitee id.
inline constexpr std::int32_t MSG_SRV_MATCH_START = 1003;
// int32 first flag (sender's view), string seeds 1, string seeds 2, int32 sender's user id.
inline constexpr std::int32_t MSG_SRV_GAME_SETUP = 1004;
inline constexpr std::int32_t MSG_SRV_REMATCH_ASK = 1005;    // none
inline constexpr std::int32_t MSG_SRV_REMATCH_REPLY = 1006;  // int32 accepted
inline constexpr std::int32_t MSG_SRV_GAME_OVER = 1007;      // none
inline constexpr std::int32_t MSG_SRV_LOAD_DONE = 1008;      // none
inline constexpr std::int32_t MSG_SRV_AI_GAME = 1100;        // int32 computer player's id
// int32 inviter id, string inviter name, int32 invitee id, string inviter's address report.
inline constexpr std::int32_t MSG_SRV_INVITE = 1101;
// int32 inviter id, int32 invitee id, int32 accepted, string text, string invitee's report (when accepted).
inline constexpr std::int32_t MSG_SRV_INVITE_REPLY = 1102;
// Client to server: string content. Server to client: string speaker, string content.
inline constexpr std::int32_t MSG_SRV_CHAT = 1200;
inline constexpr std::int32_t MSG_SRV_NOOP = 1300;  // none
// Client to server: int32 user id, int32 room id. Server to client: int32 count, count strings.
inline constexpr std::int32_t MSG_SRV_USER_LIST = 1301;
inline constexpr std::int32_t MSG_SRV_USER_ADD = 1302;      // string user info
inline constexpr std::int32_t MSG_SRV_USER_REMOVE = 1303;   // string user info
inline constexpr std::int32_t MSG_SRV_MATCH_LIST = 1304;    // int32 count, count strings
inline constexpr std::int32_t MSG_SRV_ADDRESS_POST = 1305;  // string content
inline constexpr std::int32_t MSG_SRV_NOTICE = 1306;        // string text
inline constexpr std::int32_t MSG_SRV_FETCH_FOR_ME = 1500;  // int32 user id, string full URL
inline constexpr std::int32_t MSG_SRV_WATCH = 1501;         // int32 first player's id, int32 second's
inline constexpr std::int32_t MSG_SRV_WATCH_STATE = 1502;   // int32 first player's id, string state
inline constexpr std::int32_t MSG_SRV_QUIT_WATCH = 1503;    // none

// The constant's name ("MSG_SRV_LOGIN") for logs; "MSG_UNKNOWN" for types outside the catalogue.
const char* MessageName(std::int32_t type);

}  // namespace lmn::net
