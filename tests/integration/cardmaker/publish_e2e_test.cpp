// Publishing and card names against the devserver's card shop, with its real FTP server.
#include <dirent.h>
#include <gtest/gtest.h>

#include "card_outputs.h"
#include "card_pictures.h"
#include "devserver_process.h"
#include "fake_host.h"
#include "http.h"
#include "publish.h"
#include "temp_dir.h"
#include "text.h"

using namespace lmn::maker;
using namespace lmn::test;
using lmn::Utf8ToGbk;

namespace {

std::tm At20101008_165645() {
    std::tm t{};
    t.tm_year = 110;
    t.tm_mon = 9;
    t.tm_mday = 8;
    t.tm_hour = 16;
    t.tm_min = 56;
    t.tm_sec = 45;
    return t;
}

// Every file below folder, recursively.
void ListFiles(const std::string& folder, std::vector<std::string>& out) {
    DIR* d = opendir(folder.c_str());
    if (!d) return;
    while (dirent* e = readdir(d)) {
        std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        std::string path = folder + "/" + name;
        if (e->d_type == DT_DIR)
            ListFiles(path, out);
        else
            out.push_back(path);
    }
    closedir(d);
}

bool AnyFileContains(const std::string& folder, const std::string& needle) {
    std::vector<std::string> files;
    ListFiles(folder, files);
    for (const std::string& f : files)
        if (ReadTestFile(f).find(needle) != std::string::npos) return true;
    return false;
}

class ShopTest : public ::testing::Test {
  protected:
    void Run(const std::vector<std::string>& serverArgs) {
        server = std::make_unique<DevServerProcess>(serverArgs);
        ASSERT_TRUE(server->ok());
        SavePng(DemoCard("光之少女", "《星空》", QColor(60, 90, 160)), install / "maker/mine.png");
        form = {install / "maker/mine.png", Utf8ToGbk("晨曦骑士"), Utf8ToGbk("新的人物"), "25"};
        ctx = {server->baseUrl(), Utf8ToGbk("张三"), 42, install.path()};
        services = NetworkPublishServices();
        services.now = At20101008_165645;
        auto fetch = services.fetch;
        services.fetch = [this, fetch](const std::string& url) {
            FetchReply reply = fetch(url);
            if (url.find("request_ftp_info.php") != std::string::npos) accountReply = reply.body;
            return reply;
        };
        host.answers.push_back(true);
        outcome = PublishCard(form, ctx, services, host);
    }
    std::string Uploaded(const std::string& name) { return server->root() + "shop/ftp/diy/" + name; }

    TempDir install;
    std::unique_ptr<DevServerProcess> server;
    PublishForm form;
    PublishContext ctx;
    PublishServices services;
    FakeMakerHost host;
    std::string accountReply;
    PublishOutcome outcome = PublishOutcome::Rejected;
};

TEST_F(ShopTest, PublishedPicturesArriveWholeAndTheCardIsRegistered) {
    Run({});
    ASSERT_EQ(outcome, PublishOutcome::Published) << (host.messages.empty() ? "" : host.messages.back());
    std::string big = ReadTestFile(Uploaded("2010-10-08 165645 42_big.jpg"));
    std::string small = ReadTestFile(Uploaded("2010-10-08 165645 42_small.jpg"));
    ASSERT_FALSE(big.empty());
    EXPECT_EQ(big, ReadTestFile(install / "temp/big.jpg"));
    EXPECT_EQ(small, ReadTestFile(install / "temp/small.jpg"));

    std::vector<std::string> log = server->LogLines("shop");
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], "ftp_info username=" + Utf8ToGbk("张三"));
    EXPECT_EQ(log[1],
              "card_upload /game/zrk//client_process/request_card_upload.php?userid=42&username=%D5%C5%C8%FD"
              "&cardname=%D0%C2%B5%C4%C8%CB%CE%EF&srccardname=%B3%BF%EA%D8%C6%EF%CA%BF"
              "&imagefilename=2010%2D10%2D08+165645+42%5Fbig%2Ejpg"
              "&imagefilenamesmall=2010%2D10%2D08+165645+42%5Fsmall%2Ejpg&price=25");
    EXPECT_EQ(host.messages, std::vector<std::string>{"发布成功，您的卡片图案已进入卡片商店"});
    EXPECT_EQ(host.questions, std::vector<std::string>{"提示: 发布卡片图片需要10活跃度，您确定要发布吗?"});

    // The FTP account stays in memory: not in the install folder, not in any server log.
    auto fields = lmn::Split(accountReply, ';');
    ASSERT_EQ(fields.size(), 5u);
    EXPECT_FALSE(AnyFileContains(install.path(), fields[2]));
    EXPECT_FALSE(AnyFileContains(server->root() + "log", fields[2]));
    EXPECT_FALSE(AnyFileContains(install.path(), "cardshop"));
}

TEST_F(ShopTest, SixFieldAccountReplyFailsTheUpload) {
    Run({"--shop-ftp-reply=six"});
    EXPECT_EQ(outcome, PublishOutcome::Failed);
    EXPECT_EQ(host.messages, std::vector<std::string>{"上传图片失败"});
    EXPECT_TRUE(host.questions.empty());
}

TEST_F(ShopTest, RefusedLoginFailsTheUploadAndRegistersNothing) {
    Run({"--shop-ftp-refuse=1"});
    EXPECT_EQ(outcome, PublishOutcome::Failed);
    EXPECT_EQ(host.messages, std::vector<std::string>{"上传图片失败"});
    std::vector<std::string> uploads;
    ListFiles(server->root() + "shop/ftp", uploads);
    EXPECT_TRUE(uploads.empty());
    for (const std::string& line : server->LogLines("shop"))
        EXPECT_EQ(line.find("card_upload"), std::string::npos);
}

TEST_F(ShopTest, CardListAndCardNamesComeFromTheShop) {
    server = std::make_unique<DevServerProcess>();
    ASSERT_TRUE(server->ok());
    std::vector<std::string> cards = ParseCardList(lmn::FetchText(CardListUrl(server->baseUrl())));
    ASSERT_EQ(cards.size(), 5u);
    EXPECT_EQ(cards[3], Utf8ToGbk("晨曦骑士"));

    SavePng(DemoCard("旧名字", "《旧》", QColor(150, 60, 60)), install / "images/card/card_no_17_big.jpg");
    CardComposition card;
    card.cardPicturePath = install / "images/card/card_no_17_big.jpg";
    card.fontFace = "AR PL UKai CN";
    CardRenderer renderer;
    GenerateRequest request{install.path(), server->baseUrl(), Utf8ToGbk("alice"), {2010, 10, 8}};
    ASSERT_TRUE(GenerateCardFiles(renderer, card, request, FetchWithStatus, host));
    EXPECT_FALSE(
        ReadTestFile(install / "maker/card_no_17_晨曦骑士_alice_20101008/card_no_17_mini_d.jpg").empty());
}

}  // namespace
