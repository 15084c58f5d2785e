#include "mixer_player.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>
#include <vector>

#include "disk_output.h"
#include "temp_dir.h"

namespace lmn::sound {
namespace {

using namespace lmn::sound::test;

constexpr size_t Frames(double seconds) {
    return static_cast<size_t>(seconds * kRate);
}

class DiskOutput : public ::testing::Test {
  protected:
    DiskOutput() {
        output = dir / "out.raw";
        UseDiskOutput(output);
        lmn::test::WriteTestFile(dir / "sound/readme.txt", "");
    }

    // Waits for sound to begin and returns the first audible frame.
    size_t WaitForSound() {
        for (size_t need = Frames(0.2);; need += Frames(0.2)) {
            auto frames = WaitForFrames(output, need);
            size_t first = FirstSound(frames);
            if (first < frames.size() || need > Frames(5)) return first;
        }
    }

    lmn::test::TempDir dir;
    std::string output;
};

TEST_F(DiskOutput, MusicPlaysAndLoopsPastTheFilesLength) {
    WriteToneWav(dir / "sound/bk.mp3", {{440, 0.5}});
    MixerPlayer player(dir.path());
    ASSERT_TRUE(player.isOpen());
    player.StartMusic();

    size_t start = WaitForSound();
    auto frames = WaitForFrames(output, start + Frames(1.8));

    EXPECT_GT(ToneLevel(frames, start + Frames(0.1), Frames(0.3), 440), 4000);
    EXPECT_GT(ToneLevel(frames, start + Frames(0.6), Frames(0.3), 440), 4000);
    EXPECT_GT(ToneLevel(frames, start + Frames(1.3), Frames(0.4), 440), 4000);
}

TEST_F(DiskOutput, TwoVoicesPlayOverEachOther) {
    WriteToneWav(dir / "sound/a.mp3", {{440, 1.0}});
    WriteToneWav(dir / "sound/b.mp3", {{1000, 1.0}});
    MixerPlayer player(dir.path());
    player.PlayVoice("sound\\a.mp3");
    player.PlayVoice("sound\\b.mp3");

    size_t start = WaitForSound();
    auto frames = WaitForFrames(output, start + Frames(0.8));

    EXPECT_GT(ToneLevel(frames, start + Frames(0.2), Frames(0.4), 440), 4000);
    EXPECT_GT(ToneLevel(frames, start + Frames(0.2), Frames(0.4), 1000), 4000);
}

TEST_F(DiskOutput, MusicSwitchedOffAndOnStartsFromTheBeginning) {
    WriteToneWav(dir / "sound/bk.mp3", {{300, 0.4}, {900, 1.6}});
    MixerPlayer player(dir.path());
    player.StartMusic();
    size_t start = WaitForSound();
    auto frames = WaitForFrames(output, start + Frames(1.0));
    ASSERT_GT(ToneLevel(frames, start + Frames(0.6), Frames(0.3), 900), 4000);

    size_t restart = FramesWritten(output);
    player.StopMusic();
    player.StartMusic();
    frames = WaitForFrames(output, restart + Frames(0.5));

    double low = ToneLevel(frames, restart + Frames(0.08), Frames(0.25), 300);
    double high = ToneLevel(frames, restart + Frames(0.08), Frames(0.25), 900);
    EXPECT_GT(low, 4000);
    EXPECT_LT(high, low / 5);
}

TEST_F(DiskOutput, StoppedMusicIsSilent) {
    WriteToneWav(dir / "sound/bk.mp3", {{440, 0.5}});
    MixerPlayer player(dir.path());
    player.StartMusic();
    WaitForSound();
    player.StopMusic();
    size_t stopped = FramesWritten(output);
    auto frames = WaitForFrames(output, stopped + Frames(0.5));
    EXPECT_LT(Rms(frames, stopped + Frames(0.1), Frames(0.3)), 10);
    EXPECT_EQ(player.HeldSounds(), 0);
}

TEST_F(DiskOutput, FinishedEffectsAreReleasedAndMissingFilesPlayNothing) {
    WriteToneWav(dir / "sound/tick.mp3", {{700, 0.05}});
    MixerPlayer player(dir.path());
    for (int i = 0; i < 40; ++i) player.PlayEffect("sound\\tick.mp3");
    EXPECT_EQ(player.HeldSounds(), kChannelsPerGroup);

    size_t start = WaitForSound();
    WaitForFrames(output, start + Frames(0.4));
    player.PlayEffect("sound\\tick.mp3");
    EXPECT_EQ(player.HeldSounds(), 1);

    player.PlayVoice("sound\\missing.mp3");
    player.PlayEffect("sound\\readme.txt");
    EXPECT_EQ(player.HeldSounds(), 1);
}

// The work the player leaves for later, run when the test says so.
struct LaterQueue {
    RunLater Hook() {
        return [this](int ms, std::function<void()> task) {
            delays.push_back(ms);
            tasks.push_back(std::move(task));
        };
    }
    // Runs the oldest waiting task (which may leave a new one).
    void RunNext() {
        ASSERT_FALSE(tasks.empty());
        auto task = std::move(tasks.front());
        tasks.erase(tasks.begin());
        task();
    }
    std::vector<int> delays;
    std::vector<std::function<void()>> tasks;
};

TEST_F(DiskOutput, TheOutputClosesWhileSilentAndOpensAgainForTheNextSound) {
    WriteToneWav(dir / "sound/long.mp3", {{440, 1.0}});
    LaterQueue later;
    MixerPlayer player(dir.path(), later.Hook());
    ASSERT_TRUE(player.isOpen());
    EXPECT_FALSE(player.OutputOpen()) << "the output waits for the first sound";
    EXPECT_TRUE(later.tasks.empty());

    player.PlayEffect("sound\\long.mp3");
    EXPECT_TRUE(player.OutputOpen());
    ASSERT_EQ(later.tasks.size(), 1u);
    EXPECT_EQ(later.delays[0], kSilentCloseMs);
    const size_t first = WaitForSound();
    EXPECT_GT(ToneLevel(WaitForFrames(output, first + Frames(0.5)), first + Frames(0.1), Frames(0.3), 440),
              4000)
        << "the first sound plays on the output it opened";
    while (!later.tasks.empty()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        later.RunNext();
    }
    EXPECT_FALSE(player.OutputOpen());
    EXPECT_TRUE(later.tasks.empty()) << "a closed output needs no more checks";
    // A closed output has no thread writing silence any more.
    const size_t closedAt = FramesWritten(output);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(FramesWritten(output), closedAt);

    player.PlayEffect("sound\\long.mp3");
    player.PlayVoice("sound\\long.mp3");
    EXPECT_TRUE(player.OutputOpen());
    EXPECT_EQ(player.HeldSounds(), 2);
    ASSERT_EQ(later.tasks.size(), 1u) << "sounds in a row leave one check";
    later.RunNext();
    EXPECT_TRUE(player.OutputOpen()) << "closed while a sound plays";
    ASSERT_EQ(later.tasks.size(), 1u) << "a playing output is checked again";

    const size_t start = WaitForSound();
    auto frames = WaitForFrames(output, start + Frames(1.3));
    EXPECT_GT(ToneLevel(frames, start + Frames(0.1), Frames(0.5), 440), 4000);
    later.RunNext();
    EXPECT_FALSE(player.OutputOpen());
    EXPECT_EQ(player.HeldSounds(), 0) << "finished sounds are released with the output";
}

TEST_F(DiskOutput, LoopingMusicKeepsTheOutputOpenUntilItStops) {
    WriteToneWav(dir / "sound/bk.mp3", {{440, 0.3}});
    LaterQueue later;
    MixerPlayer player(dir.path(), later.Hook());
    player.StopMusic();
    ASSERT_FALSE(player.OutputOpen()) << "stopping before any sound opens nothing";

    player.StartMusic();
    EXPECT_EQ(player.HeldSounds(), 1);
    const size_t start = WaitForSound();
    WaitForFrames(output, start + Frames(0.8));  // past the file's end: the music loops
    later.RunNext();
    EXPECT_TRUE(player.OutputOpen());
    auto frames = WaitForFrames(output, start + Frames(1.0));
    EXPECT_GT(ToneLevel(frames, start + Frames(0.7), Frames(0.2), 440), 4000);

    player.StopMusic();
    later.RunNext();
    EXPECT_FALSE(player.OutputOpen());
    player.StopMusic();
    EXPECT_FALSE(player.OutputOpen()) << "stopping silence opens nothing";
    EXPECT_TRUE(later.tasks.empty());
}

TEST(NoAudioDevice, FallsBackToTheSilentDriver) {
    lmn::test::TempDir dir;
    lmn::test::WriteTestFile(dir / "sound/readme.txt", "");
    WriteToneWav(dir / "sound/bk.mp3", {{440, 0.2}});
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    MixerPlayer player(dir.path());
    EXPECT_TRUE(player.isOpen());
    player.StartMusic();
    EXPECT_EQ(player.HeldSounds(), 1);
    player.StopMusic();
}

}  // namespace
}  // namespace lmn::sound

namespace lmn::sound {
namespace {

// The sound files shipped in the install folder are real MP3s that the player decodes.
TEST(ShippedSounds, MusicIsAudibleAndEveryCountdownFilePlays) {
    lmn::test::TempDir dir;
    std::string output = dir / "out.raw";
    test::UseDiskOutput(output);
    MixerPlayer player(LMN_INSTALL_ASSETS);
    player.StartMusic();
    ASSERT_EQ(player.HeldSounds(), 1);
    for (int n = 0; n <= 5; ++n) player.PlayVoice("sound\\" + std::to_string(n) + ".mp3");
    player.PlayVoice(kGreetingFile);
    EXPECT_EQ(player.HeldSounds(), 8);

    auto frames = test::WaitForFrames(output, static_cast<size_t>(test::kRate * 1.5));
    size_t start = test::FirstSound(frames);
    ASSERT_LT(start, frames.size());
    EXPECT_GT(test::Rms(frames, start, test::kRate), 1000);
}

}  // namespace
}  // namespace lmn::sound
