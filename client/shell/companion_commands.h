// Starting the card maker for editing, buying and publishing ([edit_card], [diy_card_buy],
// [diy_card_publish]); a running card maker is asked to close first.
#pragma once

#include <string>

#include "card_maker_launcher.h"

namespace lmn::shell {

class ShellContext;

class CompanionCommands {
  public:
    explicit CompanionCommands(ShellContext& context);

    void OnEditCard(const std::string& commandText);
    void OnDiyCardBuy(const std::string& commandText);
    void OnDiyCardPublish(const std::string& commandText);

  private:
    companions::CardMakerSession Session();

    ShellContext& context_;
    companions::CardMakerLauncher launcher_;
};

}  // namespace lmn::shell
