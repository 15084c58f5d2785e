#include "replay_names.h"

#include <gtest/gtest.h>

namespace lmn::replays {
namespace {

TEST(ReplayNames, TheTwoEncodingsDiffer) {
    EXPECT_EQ(DecodeReplayText("[g1][g2]x[g1]"), "^ x^");
    EXPECT_EQ(DecodePageFileName("c:[g1]game[g1]record[g1][a][g2]vs[g2][b]1.txt"),
              "c:\\game\\record\\[a] vs [b]1.txt");
}

TEST(ReplayNames, CollectedNamesDropTheSaveTimesSeparators) {
    EXPECT_EQ(CollectedReplayFileName("a", "b", "2009-03-04 05:06:07"), "[a] vs [b]20090304050607.txt");
    EXPECT_EQ(CollectedReplayFileName("", "", ""), "[] vs [].txt");
}

TEST(ReplayNames, ReadsNamesAndTimeBackFromAFileName) {
    EXPECT_EQ(PlayerNamesOf("[alice] vs [bob]20090304050607.txt"),
              std::make_pair(std::string("alice"), std::string("bob")));
    EXPECT_EQ(TimeTextOf("[alice] vs [bob]20090304050607.txt"), "20090304050607");
    EXPECT_EQ(PlayerNamesOf("[only one].txt"), std::make_pair(std::string("only one"), std::string()));
    EXPECT_EQ(PlayerNamesOf("[open"), std::make_pair(std::string("open"), std::string()));
    EXPECT_EQ(TimeTextOf("[a].txt"), "");
    EXPECT_EQ(TimeTextOf("[a] vs [b]x.y.txt"), "x");
}

}  // namespace
}  // namespace lmn::replays
