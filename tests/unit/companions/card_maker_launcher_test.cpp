#include "card_maker_launcher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "paths.h"
#include "temp_dir.h"
#include "text.h"

namespace lmn::companions {
namespace {

// Records the order of what the launcher asked for.
class Platform : public WindowCloser {
  public:
    int CloseMatching(const std::function<bool(std::string_view)>& matches) override {
        std::string closed;
        for (const auto& title : openTitles)
            if (matches(title)) closed += "[" + title + "]";
        events.push_back("close" + closed);
        return 0;
    }

    LauncherDeps Deps() {
        return {
            dir.path(), *this,
            [this](const std::string& path, const std::vector<std::string>& args) {
                events.push_back(Show("start " + path + " " + (args.size() == 1 ? args[0] : "<wrong argc>")));
                return startSucceeds;
            },
            [this](const std::string& url, const std::string& localPath) {
                events.push_back(Show("download " + url + " -> " + localPath));
                return downloadSucceeds;
            }};
    }

    // The program folder, so "/game/" in the expectations stands for it.
    std::string Show(std::string text) const { return ReplaceAll(std::move(text), dir.path(), "/game/"); }

    lmn::test::TempDir dir;
    std::vector<std::string> openTitles;
    std::vector<std::string> events;
    bool startSucceeds = true;
    bool downloadSucceeds = true;
};

const CardMakerSession kAlice{"http://127.0.0.1/game/zrk/", "alice", 42};

TEST(CardMakerParameters, TheThreeFormats) {
    EXPECT_EQ(CardMakerParameters(kAlice, CardMakerRequest::EditCard, "1234"),
              "url=http://127.0.0.1/game/zrk/;username=alice;userid=42;type=1;arg=1234");
    EXPECT_EQ(CardMakerParameters(kAlice, CardMakerRequest::BuyDiyCard, "d77"),
              "url=http://127.0.0.1/game/zrk/;username=alice;userid=42;type=2;arg=d77");
    EXPECT_EQ(CardMakerParameters(kAlice, CardMakerRequest::PublishDiyCard, "ignored"),
              "url=http://127.0.0.1/game/zrk/;username=alice;userid=42;type=3;arg=3");
    EXPECT_EQ(CardMakerParameters({"http://x/", "", 0}, CardMakerRequest::EditCard, ""),
              "url=http://x/;username=;userid=0;type=1;arg=");
}

TEST(CardMakerTitle, MatchesTheEditorTitleInAnyCaseAnywhere) {
    EXPECT_TRUE(IsCardMakerTitle("Lumenfold-编辑器"));
    EXPECT_TRUE(IsCardMakerTitle("  notes on LUMENFOLD-编辑器 tricks  "));
    EXPECT_FALSE(IsCardMakerTitle("Lumenfold-Orvane软件系列"));
    EXPECT_FALSE(IsCardMakerTitle("lumenfold 编辑器"));
    std::string far(600, 'x');
    EXPECT_FALSE(IsCardMakerTitle(far + "Lumenfold-编辑器"));
    EXPECT_TRUE(IsCardMakerTitle(std::string(480, 'x') + "Lumenfold-编辑器"));
}

TEST(CardMakerLauncher, ClosesTheRunningCardMakerBeforeStartingTheNewOne) {
    Platform platform;
    platform.openTitles = {"Lumenfold-编辑器", "Lumenfold-Orvane软件系列", "about LUMENFOLD-编辑器"};
    CardMakerLauncher launcher(platform.Deps());

    launcher.EditCard(kAlice, "1234");
    launcher.PublishDiyCard(kAlice);

    std::vector<std::string> expected = {
        "close[Lumenfold-编辑器][about LUMENFOLD-编辑器]",
        "start /game/LMN_KX_Maker.exe "
        "url=http://127.0.0.1/game/zrk/;username=alice;userid=42;type=1;arg=1234",
        "close[Lumenfold-编辑器][about LUMENFOLD-编辑器]",
        "start /game/LMN_KX_Maker.exe url=http://127.0.0.1/game/zrk/;username=alice;userid=42;type=3;arg=3",
    };
    EXPECT_EQ(platform.events, expected);
}

TEST(CardMakerLauncher, BuyingDownloadsThePictureAndStartsEvenWhenTheDownloadFails) {
    Platform platform;
    platform.downloadSucceeds = false;
    CardMakerLauncher launcher(platform.Deps());

    launcher.BuyDiyCard(kAlice, "d77", "u5_card.jpg");

    std::vector<std::string> expected = {
        "download http://127.0.0.1/game/zrk/images/card_shop/diy/u5_card.jpg -> "
        "/game/temp/card_no_d77_big.jpg",
        "close",
        "start /game/LMN_KX_Maker.exe url=http://127.0.0.1/game/zrk/;username=alice;userid=42;type=2;arg=d77",
    };
    EXPECT_EQ(platform.events, expected);
    EXPECT_TRUE(IsDirectory(platform.dir / "temp"));
}

TEST(CardMakerLauncher, APageIdCannotPlaceThePictureOutsideTemp) {
    Platform platform;
    CardMakerLauncher launcher(platform.Deps());
    EXPECT_EQ(platform.Show(launcher.BoughtPicturePath("/../../etc/x")),
              "/game/temp/card_no__.._.._etc_x_big.jpg");
    EXPECT_EQ(platform.Show(launcher.BoughtPicturePath("..\\..\\x")), "/game/temp/card_no_.._.._x_big.jpg");
}

TEST(CardMakerLauncher, AMissingCardMakerIsSilent) {
    Platform platform;
    platform.startSucceeds = false;
    CardMakerLauncher launcher(platform.Deps());
    launcher.EditCard(kAlice, "1");
    EXPECT_EQ(platform.events.size(), 2u);
}

}  // namespace
}  // namespace lmn::companions
