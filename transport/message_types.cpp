#include "message_types.h"

namespace lmn::net {

const char* MessageName(std::int32_t type) {
    switch (type) {
#define LMN_NAME(c) \
    case c:         \
        return #c;
        LMN_NAME(MSG_PEER_HELLO)
        LMN_NAME(MSG_PEER_WELCOME)
        LMN_NAME(MSG_GAME_SETUP)
        LMN_NAME(MSG_GAME_DEAL)
        LMN_NAME(MSG_REMATCH_ASK)
        LMN_NAME(MSG_REMATCH_REPLY)
        LMN_NAME(MSG_RESTART_ASK)
        LMN_NAME(MSG_RESTART_REPLY)
        LMN_NAME(MSG_LOAD_DONE)
        LMN_NAME(MSG_SRV_LOGIN)
        LMN_NAME(MSG_SRV_AUTO_GROUP)
        LMN_NAME(MSG_SRV_MATCH_START)
        LMN_NAME(MSG_SRV_GAME_SETUP)
        LMN_NAME(MSG_SRV_REMATCH_ASK)
        LMN_NAME(MSG_SRV_REMATCH_REPLY)
        LMN_NAME(MSG_SRV_GAME_OVER)
        LMN_NAME(MSG_SRV_LOAD_DONE)
        LMN_NAME(MSG_SRV_AI_GAME)
        LMN_NAME(MSG_SRV_INVITE)
        LMN_NAME(MSG_SRV_INVITE_REPLY)
        LMN_NAME(MSG_SRV_CHAT)
        LMN_NAME(MSG_SRV_NOOP)
        LMN_NAME(MSG_SRV_USER_LIST)
        LMN_NAME(MSG_SRV_USER_ADD)
        LMN_NAME(MSG_SRV_USER_REMOVE)
        LMN_NAME(MSG_SRV_MATCH_LIST)
        LMN_NAME(MSG_SRV_ADDRESS_POST)
        LMN_NAME(MSG_SRV_NOTICE)
        LMN_NAME(MSG_SRV_FETCH_FOR_ME)
        LMN_NAME(MSG_SRV_WATCH)
        LMN_NAME(MSG_SRV_WATCH_STATE)
        LMN_NAME(MSG_SRV_QUIT_WATCH)
#undef LMN_NAME
        default:
            return "MSG_UNKNOWN";
    }
}

}  // namespace lmn::net
