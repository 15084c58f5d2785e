// The message catalogue: every package type exchanged with the room server or with another game
// client over a direct connection, with its constant and the fields each side writes. The
// constants, the name lookup and the field layouts all come from the one table below; any other
// type is ignored by receivers.
//
// A field layout is read left to right:
//   i   int32
//   s   string
//   n   int32 count, then that many fields of the kind after it ("ns": a count, then the strings)
//   |   the fields after it are present only in the long form: the package may end here
//   -   (alone) this side never writes the message
// "From a client" is what a game client writes, to the room server or to its peer over a direct
// connection; "from the server" is what the room server writes, relayed game packages included.
#pragma once

#include <cstdint>
#include <string_view>

// X(constant, type, fields from a client, fields from the server)
#define LMN_MESSAGE_CATALOGUE(X)                                                                     \
    /* Direct connection between two game clients (a few also travel through the room server). */    \
    X(MSG_PEER_HELLO, 100, "i", "-")    /* sender's user id */                                       \
    X(MSG_PEER_WELCOME, 101, "i", "-")  /* sender's user id */                                       \
    X(MSG_GAME_SETUP, 102, "iss", "-")  /* first flag (sender's view), seeds 1, seeds 2 */           \
    X(MSG_GAME_DEAL, 103, "s", "s")     /* page command text */                                      \
    X(MSG_REMATCH_ASK, 104, "", "-")    /* none */                                                   \
    X(MSG_REMATCH_REPLY, 105, "i", "-") /* accepted */                                               \
    X(MSG_RESTART_ASK, 106, "", "")     /* none */                                                   \
    X(MSG_RESTART_REPLY, 107, "i", "i") /* accepted */                                               \
    X(MSG_LOAD_DONE, 110, "", "-")      /* none */                                                   \
    /* Room server. */                                                                               \
    /* Short form: user id, name. Long form adds room id, server id, server name, base URL. */       \
    X(MSG_SRV_LOGIN, 1001, "is|iiss", "-")                                                           \
    /* Cancel form: user id, 0. Long form: user id, room id, opponent id, address report. */         \
    X(MSG_SRV_AUTO_GROUP, 1002, "ii|is", "-")                                                        \
    /* From a client: inviter id, invitee id. From the server: opponent id. */                       \
    X(MSG_SRV_MATCH_START, 1003, "ii", "i")                                                          \
    X(MSG_SRV_GAME_SETUP, 1004, "issi", "issi") /* first flag, seeds 1, seeds 2, sender's user id */ \
    X(MSG_SRV_REMATCH_ASK, 1005, "-", "")       /* none */                                           \
    X(MSG_SRV_REMATCH_REPLY, 1006, "i", "i")    /* accepted */                                       \
    X(MSG_SRV_GAME_OVER, 1007, "", "")          /* none */                                           \
    X(MSG_SRV_LOAD_DONE, 1008, "", "")          /* none */                                           \
    X(MSG_SRV_AI_GAME, 1100, "-", "i")          /* computer player's id */                           \
    /* Inviter id, inviter name, invitee id, inviter's address report. */                            \
    X(MSG_SRV_INVITE, 1101, "isis", "isis")                                                          \
    /* Inviter id, invitee id, accepted, text; the invitee's address report when accepted. */        \
    X(MSG_SRV_INVITE_REPLY, 1102, "iiis|s", "iiis|s")                                                \
    /* From a client: content. From the server: speaker, content. */                                 \
    X(MSG_SRV_CHAT, 1200, "s", "ss")                                                                 \
    X(MSG_SRV_NOOP, 1300, "-", "") /* none */                                                        \
    /* From a client: user id, room id. From the server: the room's user infos. */                   \
    X(MSG_SRV_USER_LIST, 1301, "ii", "ns")                                                           \
    X(MSG_SRV_USER_ADD, 1302, "-", "s")       /* user info */                                        \
    X(MSG_SRV_USER_REMOVE, 1303, "-", "s")    /* user info */                                        \
    X(MSG_SRV_MATCH_LIST, 1304, "-", "ns")    /* match infos */                                      \
    X(MSG_SRV_ADDRESS_POST, 1305, "-", "s")   /* content for the lobby */                            \
    X(MSG_SRV_NOTICE, 1306, "-", "s")         /* text */                                             \
    X(MSG_SRV_FETCH_FOR_ME, 1500, "is", "is") /* user id, full URL */                                \
    X(MSG_SRV_WATCH, 1501, "ii", "-")         /* first player's id, second player's id */            \
    X(MSG_SRV_WATCH_STATE, 1502, "-", "is")   /* first player's id, game state text */               \
    X(MSG_SRV_QUIT_WATCH, 1503, "", "-")      /* none */

namespace lmn::net {

#define LMN_MESSAGE_CONSTANT(constant, type, fromClient, fromServer) \
    inline constexpr std::int32_t constant = type;
LMN_MESSAGE_CATALOGUE(LMN_MESSAGE_CONSTANT)
#undef LMN_MESSAGE_CONSTANT

// Who wrote a package: a game client (to the room server or its peer) or the room server.
enum class Sender { kClient, kServer };

struct MessageInfo {
    std::int32_t type;
    std::string_view name;
    std::string_view fromClient;
    std::string_view fromServer;

    std::string_view layout(Sender sender) const {
        return sender == Sender::kClient ? fromClient : fromServer;
    }
};

// The layout of a side that never writes the message.
inline constexpr std::string_view kNotWritten = "-";

inline constexpr MessageInfo kMessages[] = {
#define LMN_MESSAGE_INFO(constant, type, fromClient, fromServer) {type, #constant, fromClient, fromServer},
    LMN_MESSAGE_CATALOGUE(LMN_MESSAGE_INFO)
#undef LMN_MESSAGE_INFO
};

// The catalogue's entry for a type; nullptr for a type outside the catalogue.
const MessageInfo* FindMessage(std::int32_t type);

// The constant's name ("MSG_SRV_LOGIN") for logs; "MSG_UNKNOWN" for types outside the catalogue.
const char* MessageName(std::int32_t type);

}  // namespace lmn::net
