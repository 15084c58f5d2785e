#include "read_time_countdown.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lmn::sound {
namespace {

// A virtual window timer: Advance() fires the periodic timer once per elapsed period.
struct VirtualTimer {
    bool running = false;
    int periodMs = 0;
    int sinceFireMs = 0;
};

class Countdown : public ::testing::Test {
  protected:
    Countdown()
        : countdown({[this](const std::string& name) { heard.emplace_back(nowMs, name); },
                     [this](int ms) {
                         timer.running = true;
                         timer.periodMs = ms;
                         timer.sinceFireMs = 0;
                     },
                     [this] { timer.running = false; }}) {}

    void Advance(int ms) {
        for (int i = 0; i < ms; ++i) {
            ++nowMs;
            if (timer.running && ++timer.sinceFireMs == timer.periodMs) {
                timer.sinceFireMs = 0;
                countdown.Tick();
            }
        }
    }

    int nowMs = 0;
    VirtualTimer timer;
    std::vector<std::pair<int, std::string>> heard;
    ReadTimeCountdown countdown;
};

TEST_F(Countdown, SpeaksFiveToZeroOneSecondApartThenStops) {
    countdown.Start();
    Advance(10000);

    std::vector<std::pair<int, std::string>> expected = {
        {0, "sound\\5.mp3"},    {1000, "sound\\4.mp3"}, {2000, "sound\\3.mp3"},  {3000, "sound\\2.mp3"},
        {4000, "sound\\1.mp3"}, {5000, "sound\\0.mp3"}, {6000, "sound\\-1.mp3"},
    };
    EXPECT_EQ(heard, expected);
    EXPECT_FALSE(timer.running);
}

TEST_F(Countdown, StartingAgainRestartsFromFive) {
    countdown.Start();
    Advance(2500);
    countdown.Start();
    Advance(1000);

    ASSERT_EQ(heard.size(), 5u);
    EXPECT_EQ(heard[3], std::make_pair(2500, std::string("sound\\5.mp3")));
    EXPECT_EQ(heard[4], std::make_pair(3500, std::string("sound\\4.mp3")));
    EXPECT_TRUE(timer.running);
}

TEST_F(Countdown, EndStopsTheCountdownAndIsHarmlessWhenIdle) {
    countdown.End();
    EXPECT_FALSE(timer.running);
    EXPECT_TRUE(heard.empty());

    countdown.Start();
    Advance(1500);
    countdown.End();
    Advance(5000);
    EXPECT_EQ(heard.size(), 2u);
}

}  // namespace
}  // namespace lmn::sound
