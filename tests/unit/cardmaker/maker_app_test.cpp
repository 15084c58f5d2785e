#include "maker_app.h"

#include <gtest/gtest.h>

#include "card_pictures.h"
#include "fake_host.h"
#include "paths.h"
#include "profile.h"
#include "temp_dir.h"

using lmn::maker::FrameCursor;
using lmn::maker::MakerApp;
using lmn::maker::MakerTimer;
using lmn::maker::PictureFault;
using lmn::maker::PictureFaultMessage;
using lmn::test::FakeMakerHost;
using lmn::test::TempDir;

namespace {

lmn::maker::FetchReply NoFetch(const std::string&) {
    return {};
}

class MakerAppTest : public ::testing::Test {
  protected:
    std::unique_ptr<MakerApp> Start(const std::string& commandLine) {
        auto app = std::make_unique<MakerApp>(host, dir.path(), commandLine, NoFetch);
        app->Initialise();
        return app;
    }
    std::string Stored(const std::string& key) {
        return lmn::ProfileFile(dir / "config.ini").GetString("common", key, "<missing>");
    }

    TempDir dir;
    FakeMakerHost host;
};

TEST_F(MakerAppTest, NoCommandLineIsAFreeEditor) {
    host.typedNames.push_back(std::nullopt);
    auto app = Start("");
    EXPECT_FALSE(app->showsBrowser());
    EXPECT_TRUE(host.Called("timer 1 1"));
    EXPECT_TRUE(host.Called("timer 2 1"));
    app->OnTimer(MakerTimer::StartAction);
    EXPECT_TRUE(host.Called("kill 2"));
    EXPECT_TRUE(app->card().cardPicturePath.empty());
    for (const auto& c : host.calls) EXPECT_EQ(c.rfind("navigate", 0), std::string::npos) << c;
}

TEST_F(MakerAppTest, FirstStartTakesTheParameterUserNameOnce) {
    Start("url=http://h/;username=alice;userid=42;type=0;arg=");
    EXPECT_FALSE(host.Called("timer 1 1"));
    EXPECT_EQ(Stored("strUserName"), "alice");

    FakeMakerHost second;
    MakerApp later(second, dir.path(), "url=http://h/;username=bob;userid=43;type=0;arg=", NoFetch);
    later.Initialise();
    EXPECT_EQ(Stored("strUserName"), "alice");
    EXPECT_EQ(later.config().userName, "alice");
}

TEST_F(MakerAppTest, CancelledNamePromptStoresNothingAndComesBack) {
    host.typedNames.push_back(std::nullopt);
    auto app = Start("");
    app->OnTimer(MakerTimer::NamePrompt);
    EXPECT_TRUE(host.Called("kill 1"));
    EXPECT_EQ(Stored("strUserName"), "<missing>");

    FakeMakerHost again;
    again.typedNames.push_back(std::string("dave"));
    MakerApp next(again, dir.path(), "", NoFetch);
    next.Initialise();
    ASSERT_TRUE(again.Called("timer 1 1"));
    next.OnTimer(MakerTimer::NamePrompt);
    EXPECT_EQ(Stored("strUserName"), "dave");
}

TEST_F(MakerAppTest, EditStartPreloadsTheCardAndShowsTheServerPage) {
    auto app = Start("url=http://h/game/zrk/;username=alice;userid=42;type=1;arg=17");
    app->OnTimer(MakerTimer::StartAction);
    EXPECT_TRUE(host.Called("navigate http://h/game/zrk/maker.php"));
    EXPECT_EQ(app->card().cardPicturePath, dir.path() + "images/card/card_no_17_big.jpg");
    EXPECT_EQ(Stored("strCardImageSite"), dir.path() + "images/card");
    EXPECT_GT(host.previewRepaints, 0);
}

TEST_F(MakerAppTest, EditStartWithoutAUsableCardIdPreloadsNothing) {
    for (const char* arg : {"0", "", "abc"}) {
        FakeMakerHost h;
        MakerApp app(h, dir.path(), std::string("url=u/;username=a;userid=1;type=1;arg=") + arg, NoFetch);
        app.Initialise();
        app.OnTimer(MakerTimer::StartAction);
        EXPECT_TRUE(app.card().cardPicturePath.empty()) << arg;
    }
}

TEST_F(MakerAppTest, OpeningAnyCardSizeLoadsTheBigPicture) {
    auto app = Start("url=;username=a;userid=1;type=0;arg=");
    host.chosenFiles.push_back(dir.path() + "images/card/card_no_17_mini_d_t.jpg");
    app->OpenCardPicture();
    EXPECT_EQ(app->card().cardPicturePath, dir.path() + "images/card/card_no_17_big.jpg");
    EXPECT_EQ(Stored("strCardImageSite"), dir.path() + "images/card");

    host.chosenFiles.push_back(dir.path() + "images/card/card_no_3_small.jpg");
    app->OpenCardPicture();
    EXPECT_EQ(app->card().cardPicturePath, dir.path() + "images/card/card_no_3_big.jpg");
    EXPECT_EQ(host.fileDialogFolders.back(), dir.path() + "images/card");
}

TEST_F(MakerAppTest, OpeningANonCardPictureIsRefused) {
    auto app = Start("url=;username=a;userid=1;type=0;arg=");
    host.chosenFiles.push_back(dir.path() + "photos/cat.jpg");
    app->OpenCardPicture();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], "您选择的不是卡片图片文件，卡片图片文件位于游戏目录的images\\card下");
    EXPECT_TRUE(app->card().cardPicturePath.empty());
    EXPECT_EQ(Stored("strCardImageSite"), "");
}

TEST_F(MakerAppTest, OpeningANewPictureHidesTheServerPageForGood) {
    auto app = Start("url=http://h/;username=a;userid=1;type=0;arg=");
    lmn::test::SavePng(lmn::test::GradientPicture(40, 30), dir / "photos/cat.png");
    host.chosenFiles.push_back(dir.path() + "photos/cat.png");
    app->OpenNewPicture();
    EXPECT_EQ(app->newPicturePath(), dir.path() + "photos/cat.png");
    EXPECT_EQ(app->card().newPicturePath, dir.path() + "photos/cat.png");
    EXPECT_EQ(Stored("strMyImageSite"), dir.path() + "photos");
    EXPECT_TRUE(host.Called("hide browser"));
}

TEST_F(MakerAppTest, APictureThatCannotBeShownIsRefusedWithTheReason) {
    auto app = Start("url=http://h/;username=a;userid=1;type=0;arg=");
    lmn::WriteFileAtomic(dir / "photos/broken.jpg", "not a picture");
    host.chosenFiles.push_back(dir.path() + "photos/broken.jpg");
    app->OpenNewPicture();
    EXPECT_EQ(host.messages, std::vector<std::string>{"无法读取这个图片文件，请换一个图片：" + dir.path() +
                                                      "photos/broken.jpg"});
    EXPECT_TRUE(app->newPicturePath().empty());
    EXPECT_EQ(Stored("strMyImageSite"), "");
    EXPECT_FALSE(host.Called("hide browser"));

    EXPECT_EQ(PictureFaultMessage(PictureFault::TooLarge, QSize(12000, 9000), "x.jpg"),
              "图片太大（12000×9000），本机内存不够打开它，请先把图片缩小后再打开");
    EXPECT_EQ(PictureFaultMessage(PictureFault::None, QSize(10, 10), "x.jpg"), "");
}

TEST_F(MakerAppTest, FrameDragsFromWhereItWasGrabbedWithoutLimits) {
    auto app = Start("url=;username=a;userid=1;type=0;arg=");
    EXPECT_EQ(app->CursorAt(10, 10), FrameCursor::Hand);
    EXPECT_EQ(app->CursorAt(209, 10), FrameCursor::Default);
    app->MousePress(10, 20);
    EXPECT_EQ(app->CursorAt(10, 20), FrameCursor::Move);
    app->MouseMove(5, 5);
    EXPECT_EQ(app->card().frameX, -5);
    EXPECT_EQ(app->card().frameY, -15);
    app->MouseRelease();
    app->MouseMove(100, 100);
    EXPECT_EQ(app->card().frameX, -5);

    app->MousePress(300, 300);  // outside the frame: no drag
    app->MouseMove(0, 0);
    EXPECT_EQ(app->card().frameX, -5);
}

TEST_F(MakerAppTest, ToolWindowPushesFlagsAndTextsSeparately) {
    auto app = Start("url=;username=a;userid=1;type=0;arg=");
    lmn::maker::ToolValues v;
    v.changeCharacter = true;
    v.name = "人名";
    v.bold = true;
    EXPECT_TRUE(app->OnChangeCharacter(v));
    EXPECT_TRUE(app->card().changeCharacter);
    EXPECT_TRUE(app->card().bold);
    EXPECT_TRUE(app->card().name.isEmpty());  // texts travel only with "预览"

    v.changeCharacter = false;
    app->OnPreview(v);
    EXPECT_EQ(app->card().name, "人名");
    EXPECT_TRUE(app->card().changeCharacter);  // "预览" leaves the flag alone
    EXPECT_FALSE(app->OnChangeCharacter(v));
    EXPECT_EQ(app->card().name, "人名");  // texts stay while the flag is off
}

TEST_F(MakerAppTest, BuyStartWithoutACardStaysOpen) {
    auto app = Start("url=u/;username=a;userid=1;type=2;arg=0");
    app->OnTimer(MakerTimer::StartAction);
    EXPECT_TRUE(host.questions.empty());
    EXPECT_FALSE(host.Called("quit 0"));
}

TEST_F(MakerAppTest, BuyStartInstallsOnOkAndEndsEitherWay) {
    lmn::test::SavePng(lmn::test::SyntheticCard(), dir / "temp/card_no_5_big.jpg");
    host.answers.push_back(true);
    auto app = Start("url=u/;username=a;userid=1;type=2;arg=5");
    app->OnTimer(MakerTimer::StartAction);
    EXPECT_EQ(app->card().cardPicturePath, dir.path() + "temp/card_no_5_big.jpg");
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0], "提示: 购买成功, 点击确定按钮更换原有图片文件");
    EXPECT_TRUE(lmn::PathExists(dir / "images/card/card_no_5_mini_d_t.jpg"));
    EXPECT_EQ(host.messages.back(), "替换完成");
    EXPECT_TRUE(host.Called("quit 0"));

    FakeMakerHost cancelling;
    cancelling.answers.push_back(false);
    MakerApp other(cancelling, dir.path(), "url=u/;username=a;userid=1;type=2;arg=6", NoFetch);
    other.Initialise();
    other.OnTimer(MakerTimer::StartAction);
    EXPECT_TRUE(cancelling.Called("quit 0"));
    EXPECT_FALSE(lmn::PathExists(dir / "images/card/card_no_6_big.jpg"));
}

TEST_F(MakerAppTest, PublishStartHidesToolsRunsTheDialogAndEnds) {
    auto app = Start("url=u/;username=a;userid=1;type=3;arg=3");
    app->OnTimer(MakerTimer::StartAction);
    auto at = [&](const std::string& c) { return std::find(host.calls.begin(), host.calls.end(), c); };
    ASSERT_TRUE(host.Called("publish dialog"));
    EXPECT_LT(at("hide tool window"), at("publish dialog"));
    EXPECT_LT(at("publish dialog"), at("quit 0"));
}

TEST_F(MakerAppTest, HelpOpensTheMakersWebSite) {
    auto app = Start("");
    app->OpenHelp();
    EXPECT_TRUE(host.Called("open http://www.lumenfold.example/game/zrk/help/tpgh.php"));
}

}  // namespace
