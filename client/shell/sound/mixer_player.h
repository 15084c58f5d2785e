// The sound player on SDL_mixer: three groups of 32 channels (music, voice, effect). The music
// is one sound looping on the music group; voices and effects each take a free channel of
// their group, so several play over each other. Finished voices and effects are released when
// their group plays the next sound, so a long session holds at most one sound per channel.
// The audio output is opened when the first sound starts, not when the player is made, so a
// program that makes its player at start-up does not wait for the sound system before its
// window; SDL_mixer itself is loaded then too (sdl_mixer_library.h). Given a way to run work later on its own
// thread, the player closes the audio output while nothing plays (the output's thread otherwise wakes about
// 43 times a second for silence) and opens it again when the next sound starts.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "sound_player.h"

struct Mix_Chunk;

namespace lmn::sound {

struct SdlMixerLibrary;

inline constexpr int kChannelsPerGroup = 32;
// How long the output stays open once nothing plays, and how often a playing output is checked.
inline constexpr int kSilentCloseMs = 2000;

// Runs task on the player's thread after delayMs (never inside the call itself).
using RunLater = std::function<void(int delayMs, std::function<void()> task)>;

class MixerPlayer : public SoundPlayer {
  public:
    // programDir ends with '/'; the first sound opens the audio output (see audio_device.h). With
    // runLater, the output is closed kSilentCloseMs after the last sound has ended; without, it
    // stays open.
    // A task handed to runLater must not run after the player is gone.
    explicit MixerPlayer(std::string programDir, RunLater runLater = {});
    ~MixerPlayer() override;
    MixerPlayer(const MixerPlayer&) = delete;
    MixerPlayer& operator=(const MixerPlayer&) = delete;

    // False once SDL_mixer could not be loaded or not even the silent output opened; every call
    // then does nothing.
    bool isOpen() const { return open_; }
    // True while the audio output (and its thread) runs.
    bool OutputOpen() const { return outputOpen_; }

    void StartMusic() override;
    void StopMusic() override;
    void PlayVoice(const std::string& name) override;
    void PlayEffect(const std::string& name) override;

    // Sounds currently held in memory (playing, or finished and not yet released).
    int HeldSounds() const;

  private:
    enum Group { kMusic = 0, kVoice = 1, kEffect = 2 };

    void Play(Group group, const std::string& name, int loops);
    void ReleaseFinished(Group group);
    void Release(int channel);
    bool OpenOutput();
    void ScheduleSilenceCheck();
    void OnSilenceCheck();

    std::string programDir_;
    RunLater runLater_;
    bool open_ = true;
    bool outputOpen_ = false;
    bool checkPending_ = false;
    const SdlMixerLibrary* sdl_ = nullptr;  // loaded when the output first opens
    std::array<Mix_Chunk*, 3 * kChannelsPerGroup> chunks_{};
};

}  // namespace lmn::sound
