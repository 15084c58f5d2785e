// The sound player the shell drives: background music, voices and effects.
#pragma once

#include "sound_player.h"

namespace lmn::shell {

using SoundOutput = sound::SoundPlayer;

}  // namespace lmn::shell
