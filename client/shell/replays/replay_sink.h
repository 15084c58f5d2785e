// Where the replay work reports to: texts for the page's client_cmd, message boxes, and the short
// pause a listing takes per file. Texts are GBK.
#pragma once

#include <string>

namespace lmn::replays {

class ReplaySink {
  public:
    virtual ~ReplaySink() = default;
    virtual void SendToPage(const std::string& text) = 0;
    virtual void ShowMessage(const std::string& text) = 0;
    virtual void Pause(int ms) = 0;
};

}  // namespace lmn::replays
