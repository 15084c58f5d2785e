// Lobby commands and the presence report. The lobby work fills these in; until then they do nothing.
#pragma once

#include <string>

namespace lmn::shell {

class LobbyCommands {
  public:
    void OnUserInfo(const std::string& /*commandText*/) {}
    void OnSettingTestOutIp(const std::string& /*commandText*/) {}
    void OnRequestUserList(const std::string& /*commandText*/) {}
    void OnPresenceReportTimer() {}
};

}  // namespace lmn::shell
