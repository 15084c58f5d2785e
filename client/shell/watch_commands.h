// Watching another match. The watch work fills these in; until then they do nothing.
#pragma once

#include <string>

namespace lmn::shell {

class WatchCommands {
  public:
    void OnWatch(const std::string& /*commandText*/) {}
    void OnQuitWatch(const std::string& /*commandText*/) {}
};

}  // namespace lmn::shell
