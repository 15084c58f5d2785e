// The spoken read-time countdown: "5" at once, then "4", "3", "2", "1", "0" one second apart on
// the window's timer 5; the tick after "0" stops the timer (and asks for the file of -1, which
// does not exist, so nothing is heard).
#pragma once

#include <functional>
#include <string>

namespace lmn::sound {

inline constexpr int kReadTimeTimerId = 5;
inline constexpr int kReadTimeStepMs = 1000;

struct CountdownActions {
    std::function<void(const std::string& name)> playVoice;
    std::function<void(int periodMs)> startTimer;  // (re)starts timer 5
    std::function<void()> killTimer;               // kills timer 5
};

class ReadTimeCountdown {
  public:
    explicit ReadTimeCountdown(CountdownActions actions) : actions_(std::move(actions)) {}

    // Speaks "5" and (re)starts the timer; a running countdown starts over.
    void Start();
    // One timer tick.
    void Tick();
    // Stops the timer whether or not a countdown runs.
    void End();

    int counter() const { return counter_; }

  private:
    void Speak();

    CountdownActions actions_;
    int counter_ = 0;
};

// "sound\<n>.mp3".
std::string CountdownFile(int n);

}  // namespace lmn::sound
