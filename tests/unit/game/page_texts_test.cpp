// What a new game and a watched game put into page addresses and page lines: seed lists, the
// first flag, the battle page address and the watch-state line.
#include <gtest/gtest.h>

#include <set>

#include "game_page_url.h"
#include "seed_lists.h"
#include "text.h"
#include "watch_state.h"

namespace lmn::game {
namespace {

TEST(SeedLists, ThirtyNumbersFromZeroToNinetyNineWithoutATrailingSeparator) {
    std::minstd_rand random(12345);
    std::set<std::string> lists;
    std::set<int> seen;
    for (int round = 0; round < 50; ++round) {
        const std::string list = MakeSeedList(random);
        ASSERT_FALSE(list.empty());
        EXPECT_NE(list.back(), ';') << list;
        const auto numbers = Split(list, ';');
        ASSERT_EQ(numbers.size(), 30u) << list;
        for (const auto& n : numbers) {
            ASSERT_FALSE(n.empty()) << list;
            ASSERT_EQ(n.find_first_not_of("0123456789"), std::string::npos) << list;
            ASSERT_TRUE(n.size() == 1 || n[0] != '0') << "no leading zeros: " << list;
            const int value = AtoI(n);
            ASSERT_TRUE(value >= 0 && value <= 99) << list;
            seen.insert(value);
        }
        lists.insert(list);
    }
    EXPECT_EQ(lists.size(), 50u) << "each game gets new lists";
    EXPECT_GT(seen.size(), 90u) << "the whole range is used";
}

TEST(FirstFlag, EvenSecondsMoveFirstAndTheReceiverTakesTheOtherFlag) {
    EXPECT_EQ(FirstFlagAt(1700000000), 1);
    EXPECT_EQ(FirstFlagAt(1700000001), 0);
    EXPECT_EQ(FirstFlagAt(0), 1);
    EXPECT_EQ(FirstFlagAt(-1), 0) << "a clock before 1970 still gives 0 or 1";
    for (std::int64_t s : {0LL, 1LL, 1700000000LL, 1700000001LL})
        EXPECT_EQ(FirstFlagAt(s) + InvertFirstFlag(FirstFlagAt(s)), 1) << "exactly one side moves first";
    EXPECT_EQ(InvertFirstFlag(7), 0) << "anything but 0 reads as first";
    EXPECT_EQ(InvertFirstFlag(-1), 0);
}

TEST(GamePage, AHumanGameShowsFixedSeedsWhateverWasExchanged) {
    GamePageParams p;
    p.first = 1;
    p.roomId = 3;
    p.ownId = 42;
    p.opponentId = 77;
    p.seeds1 = "1;2;3";
    p.seeds2 = "4;5;6";
    EXPECT_EQ(GamePageUrl("http://web/zrk/", p),
              "http://web/zrk/gameclient_fc.php?first=1&roomid=3&userid1=42&userid2=77&seed1=100&seed2=200");
}

TEST(GamePage, AComputerGameCarriesItsListsAndTheComputerMark) {
    GamePageParams p;
    p.first = 0;
    p.againstComputer = true;
    p.roomId = 3;
    p.ownId = 42;
    p.opponentId = 999;
    p.seeds1 = "1;2;3";
    p.seeds2 = "4;5;6";
    EXPECT_EQ(GamePageUrl("http://web/zrk/", p),
              "http://web/zrk/gameclient_fc.php?first=0&AI=1&roomid=3&userid1=42&userid2=999&seed1=1;2;3"
              "&seed2=4;5;6");
}

TEST(WatchState, EqualsAndAmpersandsAreEscapedAndNothingElseChanges) {
    EXPECT_EQ(WatchStateLine(7, "a=1&b=2"), "type=[watch_curstate]&firstID=7&GameDeal=a[deng]1[and]b[deng]2");
    EXPECT_EQ(EscapeWatchState("==&&"), "[deng][deng][and][and]");
    EXPECT_EQ(EscapeWatchState(""), "");
    // Texts that already hold the marks, brackets, quotes and Chinese pass unchanged.
    const std::string plain = "x[deng]y[and]'\"<>;%" + Utf8ToGbk("对局");
    EXPECT_EQ(EscapeWatchState(plain), plain);
    EXPECT_EQ(EscapeWatchState(std::string("a\0=b", 4)), std::string("a\0[deng]b", 9))
        << "a zero byte is kept";
    EXPECT_EQ(WatchStateLine(-5, "k=v"), "type=[watch_curstate]&firstID=-5&GameDeal=k[deng]v");
}

TEST(WatchState, TheEscapedStateReadsBackAsOneValue) {
    const std::string line = WatchStateLine(7, "step=3&hand=1,2&say=hi");
    // Split as the page's query-form reader would: everything after GameDeal= is one value.
    const auto pairs = Split(line, '&');
    ASSERT_EQ(pairs.size(), 3u) << line;
    EXPECT_EQ(pairs[2], "GameDeal=step[deng]3[and]hand[deng]1,2[and]say[deng]hi");
}

}  // namespace
}  // namespace lmn::game
