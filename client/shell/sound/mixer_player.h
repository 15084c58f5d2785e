// The sound player on SDL_mixer: three groups of 32 channels (music, voice, effect). The music
// is one sound looping on the music group; voices and effects each take a free channel of
// their group, so several play over each other. Finished voices and effects are released when
// their group plays the next sound, so a long session holds at most one sound per channel.
#pragma once

#include <array>
#include <string>

#include "sound_player.h"

struct Mix_Chunk;

namespace lmn::sound {

inline constexpr int kChannelsPerGroup = 32;

class MixerPlayer : public SoundPlayer {
  public:
    // programDir ends with '/'; opens the audio output (see audio_device.h).
    explicit MixerPlayer(std::string programDir);
    ~MixerPlayer() override;
    MixerPlayer(const MixerPlayer&) = delete;
    MixerPlayer& operator=(const MixerPlayer&) = delete;

    // False when not even the silent output could be opened; every call then does nothing.
    bool isOpen() const { return open_; }

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

    std::string programDir_;
    bool open_ = false;
    std::array<Mix_Chunk*, 3 * kChannelsPerGroup> chunks_{};
};

}  // namespace lmn::sound
