// What the game client asks of its sound player: one looping background music and any number of
// voices and effects over each other, each kind on its own group of channels. Names are the
// game's file names relative to the program directory ("sound\\5.mp3").
#pragma once

#include <string>

namespace lmn::sound {

class SoundPlayer {
  public:
    virtual ~SoundPlayer() = default;
    // Starts "sound/bk.mp3" looping from its beginning (a playing music is started afresh).
    virtual void StartMusic() = 0;
    // Stops and releases the music; harmless when none plays.
    virtual void StopMusic() = 0;
    // Plays the file once; a missing or unreadable file plays nothing.
    virtual void PlayVoice(const std::string& name) = 0;
    virtual void PlayEffect(const std::string& name) = 0;
};

inline constexpr const char* kMusicFile = "sound/bk.mp3";
// The greeting spoken shortly after the first introduction page.
inline constexpr const char* kGreetingFile = "sound//orvn_tavmok.mp3";

}  // namespace lmn::sound
