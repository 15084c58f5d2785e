#include "read_time_countdown.h"

namespace lmn::sound {

std::string CountdownFile(int n) {
    return "sound\\" + std::to_string(n) + ".mp3";
}

void ReadTimeCountdown::Start() {
    counter_ = 5;
    Speak();
    actions_.startTimer(kReadTimeStepMs);
}

void ReadTimeCountdown::Tick() {
    --counter_;
    if (counter_ < 0) actions_.killTimer();
    Speak();
}

void ReadTimeCountdown::End() {
    actions_.killTimer();
}

void ReadTimeCountdown::Speak() {
    actions_.playVoice(CountdownFile(counter_));
}

}  // namespace lmn::sound
