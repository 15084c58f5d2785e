// Starting the card maker for editing, buying and publishing. The companion work fills these in; until then
// they do nothing.
#pragma once

#include <string>

namespace lmn::shell {

class CompanionCommands {
  public:
    void OnEditCard(const std::string& /*commandText*/) {}
    void OnDiyCardBuy(const std::string& /*commandText*/) {}
    void OnDiyCardPublish(const std::string& /*commandText*/) {}
};

}  // namespace lmn::shell
