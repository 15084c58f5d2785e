// A replay sink that keeps what the replay work reported.
#pragma once

#include <string>
#include <vector>

#include "replay_sink.h"

namespace lmn::replays::testing {

class RecordingSink : public ReplaySink {
  public:
    void SendToPage(const std::string& text) override { pageTexts.push_back(text); }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void Pause(int ms) override { pausedMs += ms; }

    std::vector<std::string> pageTexts;
    std::vector<std::string> messages;
    int pausedMs = 0;
};

}  // namespace lmn::replays::testing
