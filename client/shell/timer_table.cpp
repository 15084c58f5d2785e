#include "timer_table.h"

namespace lmn::shell {

bool IsOneShotTimer(int id) {
    switch (id) {
        case kTimerFirstIntro:
        case kTimerCommandDrain:
        case kTimerPageTextPump:
        case kTimerOpponentRequest:
        case kTimerRelay:
        case kTimerStartClientPage:
        case kTimerGreeting:
        case kTimerSecondIntro:
        case kTimerGameOverGrace:
            return true;
        default:
            return false;
    }
}

}  // namespace lmn::shell
