#include "seed_lists.h"

namespace lmn::game {

std::string MakeSeedList(std::minstd_rand& random) {
    std::string list;
    for (int i = 0; i < 30; ++i) {
        if (i) list += ';';
        list += std::to_string(random() % 100);
    }
    return list;
}

int FirstFlagAt(std::int64_t calendarSeconds) {
    return calendarSeconds % 2 == 0 ? 1 : 0;
}

int InvertFirstFlag(int senderFlag) {
    return senderFlag == 0 ? 1 : 0;
}

}  // namespace lmn::game
