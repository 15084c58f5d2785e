// Recording, collecting and listing replays. The replay work fills these in; until then they do nothing.
#pragma once

#include <string>

namespace lmn::shell {

class ReplayCommands {
  public:
    void OnGameRecord(const std::string& /*commandText*/) {}
    void OnRecordCollect(const std::string& /*commandText*/) {}
    void OnRecordAll(const std::string& /*commandText*/) {}
    void OnRecordDel(const std::string& /*commandText*/) {}
    void OnRecordRequest(const std::string& /*commandText*/) {}
    void OnMyRecordAll(const std::string& /*commandText*/) {}
    void OnMyRecordDel(const std::string& /*commandText*/) {}
};

}  // namespace lmn::shell
