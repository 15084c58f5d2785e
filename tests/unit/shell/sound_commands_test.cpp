// Voices, effects, the countdown, the greeting and the sound switches through the core.
#include <gtest/gtest.h>

#include <algorithm>

#include "settings.h"
#include "shell_fixture.h"
#include "timer_table.h"

namespace lmn::shell::test {
namespace {

class SoundCommandsTest : public ShellFixture {
  protected:
    void SetUp() override { OpenToClientPage(); }

    std::vector<std::string> Heard() const {
        std::vector<std::string> heard;
        for (const auto& e : log)
            if (e.rfind("voice ", 0) == 0 || e.rfind("effect ", 0) == 0 || e.rfind("music ", 0) == 0)
                heard.push_back(e);
        return heard;
    }
};

TEST_F(SoundCommandsTest, TheCountdownSpeaksFiveToZeroOneSecondApartAndStops) {
    log.clear();
    PageSends("[readtime_start]");
    EXPECT_EQ(Heard(), std::vector<std::string>{"voice sound\\5.mp3"});
    host.Advance(5000);
    EXPECT_EQ(Heard().back(), "voice sound\\0.mp3");
    EXPECT_TRUE(host.TimerActive(kTimerReadTime));
    host.Advance(1000);
    EXPECT_FALSE(host.TimerActive(kTimerReadTime));
    host.Advance(5000);
    std::vector<std::string> expected = {"voice sound\\5.mp3", "voice sound\\4.mp3", "voice sound\\3.mp3",
                                         "voice sound\\2.mp3", "voice sound\\1.mp3", "voice sound\\0.mp3",
                                         "voice sound\\-1.mp3"};
    EXPECT_EQ(Heard(), expected);
}

TEST_F(SoundCommandsTest, WithVoicesOffTheCountdownPlaysNothingAndStartsNoTimer) {
    dlg->context().state().config.bVoice = 0;
    log.clear();
    PageSends("[readtime_start]");
    PageSends("[play_voice]&filename=hello.mp3");
    EXPECT_FALSE(host.TimerActive(kTimerReadTime));
    PageSends("[readtime_end]");
    EXPECT_TRUE(Heard().empty());
}

TEST_F(SoundCommandsTest, VoicesAndEffectsFollowTheirOwnSwitches) {
    log.clear();
    PageSends("[play_voice]&filename=Hello.mp3");
    PageSends("[play_sound]&filename=click.mp3");
    dlg->context().state().config.bSound = 0;
    PageSends("[play_sound]&filename=click.mp3");
    EXPECT_EQ(Heard(), (std::vector<std::string>{"voice sound\\hello.mp3", "effect sound\\click.mp3"}));
}

TEST_F(SoundCommandsTest, TheMenuSwitchesToggleSaveAndRestartTheMusic) {
    log.clear();
    dlg->OnMenuCommand(kCmdToggleMusic);
    dlg->OnMenuCommand(kCmdToggleMusic);
    EXPECT_EQ(Heard(), (std::vector<std::string>{"music stop", "music start"}));
    dlg->OnMenuCommand(kCmdToggleVoice);
    dlg->OnMenuCommand(kCmdToggleSound);
    CConfig saved = LoadConfig(dir / "config.ini");
    EXPECT_EQ(saved.bMusic, 1);
    EXPECT_EQ(saved.bVoice, 0);
    EXPECT_EQ(saved.bSound, 0);
}

}  // namespace
}  // namespace lmn::shell::test
