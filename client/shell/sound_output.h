// The seam to the sound player. The background music is started and stopped by the shell
// (start-up, settings, ending); the sound work implements the player.
#pragma once

namespace lmn::shell {

class SoundOutput {
  public:
    virtual ~SoundOutput() = default;
    // Starts "sound/bk.mp3" looping from the beginning.
    virtual void StartMusic() = 0;
    // Releases the music if it is loaded; harmless otherwise.
    virtual void StopMusic() = 0;
};

}  // namespace lmn::shell
