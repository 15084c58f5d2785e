// Starting the card maker from the page's commands.
#include <gtest/gtest.h>

#include "shell_fixture.h"

namespace lmn::shell::test {
namespace {

class CompanionCommandsTest : public ShellFixture {
  protected:
    void SetUp() override {
        OpenToClientPage();
        dlg->context().state().userName = "alice";
        dlg->context().state().userId = 42;
    }

    std::string Maker() const { return dir / "LMN_KX_Maker.exe"; }
};

TEST_F(CompanionCommandsTest, EditAndPublishStartTheCardMakerWithTheirParameterStrings) {
    PageSends("[edit_card]&id=1234");
    PageSends("[diy_card_publish]");
    std::string base = dlg->context().BaseUrl();
    EXPECT_EQ(
        host.startedPrograms,
        (std::vector<std::string>{Maker() + " url=" + base + ";username=alice;userid=42;type=1;arg=1234",
                                  Maker() + " url=" + base + ";username=alice;userid=42;type=3;arg=3"}));
}

TEST_F(CompanionCommandsTest, BuyingNamesThePictureInLowerCaseAndStartsEvenWhenTheDownloadFails) {
    PageSends("[diy_card_buy]&id=D77&image=U5_Card.jpg");
    std::string base = dlg->context().BaseUrl();
    EXPECT_NE(std::find(log.begin(), log.end(),
                        "download " + base + "images/card_shop/diy/u5_card.jpg -> " + dir.path() +
                            "temp/card_no_d77_big.jpg"),
              log.end());
    EXPECT_EQ(host.startedPrograms, std::vector<std::string>{Maker() + " url=" + base +
                                                             ";username=alice;userid=42;type=2;arg=d77"});
}

}  // namespace
}  // namespace lmn::shell::test
