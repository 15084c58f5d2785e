#include "publish.h"

#include <gtest/gtest.h>

#include "card_pictures.h"
#include "fake_host.h"
#include "ftp_upload.h"
#include "paths.h"
#include "temp_dir.h"
#include "url_encode.h"

using namespace lmn::maker;
using namespace lmn::test;

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

TEST(UrlEncode, EncodesEverythingButLettersAndDigits) {
    EXPECT_EQ(UrlEncode("2010-10-08 165645 42_big.jpg"), "2010%2D10%2D08+165645+42%5Fbig%2Ejpg");
    EXPECT_EQ(UrlEncode("\xD5\xC5\xC8\xFD"
                        "a1"),
              "%D5%C5%C8%FDa1");  // 张三 in GBK
    EXPECT_EQ(UrlEncode("a\tb\nc"), "a+b+c");
    EXPECT_EQ(UrlEncode("&=%/"), "%26%3D%25%2F");
    EXPECT_EQ(UrlEncode(std::string("\0", 1)), "%00");
}

TEST(FtpAccount, ExactlyFiveFields) {
    auto a = ParseFtpAccount("127.0.0.9;shop;secret;diy;10");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->host, "127.0.0.9");
    EXPECT_EQ(a->user, "shop");
    EXPECT_EQ(a->password, "secret");
    EXPECT_EQ(a->folder, "diy");
    EXPECT_EQ(a->pointCost, "10");
    EXPECT_FALSE(ParseFtpAccount("127.0.0.9;shop;secret;diy;10;"));
    EXPECT_FALSE(ParseFtpAccount("127.0.0.9;shop;secret;diy"));
    EXPECT_FALSE(ParseFtpAccount(""));
    EXPECT_TRUE(ParseFtpAccount(";;;;"));
}

TEST(FtpAccount, RemoteNamesShareOneMoment) {
    RemoteNames names = MakeRemoteNames(At20101008_165645(), 42);
    EXPECT_EQ(names.big, "2010-10-08 165645 42_big.jpg");
    EXPECT_EQ(names.small, "2010-10-08 165645 42_small.jpg");
}

TEST(FtpUpload, UrlEncodesThePathAndRefusesOddHosts) {
    EXPECT_EQ(FtpUrl("127.0.0.9", "diy\\2010-10-08 165645 42_big.jpg"),
              "ftp://127.0.0.9/diy/2010-10-08%20165645%2042_big.jpg");
    EXPECT_EQ(FtpUrl("127.0.0.9:2121", "a/b"), "ftp://127.0.0.9:2121/a/b");
    EXPECT_EQ(FtpUrl("evil@host", "a"), "");
    EXPECT_EQ(FtpUrl("host/path", "a"), "");
    EXPECT_EQ(FtpUrl("", "a"), "");
}

TEST(PriceField, IntegersOnly) {
    EXPECT_EQ(ParsePriceField(" 12 "), 12);
    EXPECT_EQ(ParsePriceField("-5"), -5);
    EXPECT_EQ(ParsePriceField("0"), 0);
    EXPECT_FALSE(ParsePriceField("abc"));
    EXPECT_FALSE(ParsePriceField("12abc"));
    EXPECT_FALSE(ParsePriceField(""));
    EXPECT_FALSE(ParsePriceField("-"));
    EXPECT_FALSE(ParsePriceField("99999999999"));
}

TEST(CardList, ServerOrderAndOneEmptyItemForNoReply) {
    EXPECT_EQ(ParseCardList("乙;甲;丙"), (std::vector<std::string>{"乙", "甲", "丙"}));
    EXPECT_EQ(ParseCardList(""), std::vector<std::string>{""});
}

class PublishTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SavePng(SyntheticCard(), dir / "mine.png");
        form = {dir / "mine.png", "\xB9\xE2", "\xD0\xC2", "30"};
        ctx = {"http://h/game/zrk/", "\xD5\xC5\xC8\xFD", 42, dir.path()};
        services.fetch = [this](const std::string& url) {
            fetched.push_back(url);
            if (url.find("request_ftp_info.php") != std::string::npos) return FetchReply{ftpStatus, ftpReply};
            return registration;
        };
        services.upload = [this](const FtpAccount& a, const std::string& local, const std::string& remote) {
            uploads.push_back(a.user + " " + local + " -> " + remote);
            return uploadsLeft-- > 0;
        };
        services.now = At20101008_165645;
    }
    PublishOutcome Publish() { return PublishCard(form, ctx, services, host); }

    TempDir dir;
    PublishForm form;
    PublishContext ctx;
    PublishServices services;
    FakeMakerHost host;
    std::string ftpReply = "127.0.0.9;shop;pw;diy;10";
    long ftpStatus = 200;
    FetchReply registration{200, "\xB7\xA2\xB2\xBC\xB3\xC9\xB9\xA6"};  // 发布成功
    int uploadsLeft = 2;
    std::vector<std::string> fetched, uploads;
};

TEST_F(PublishTest, UploadsBothPicturesAndRegistersTheCard) {
    host.answers.push_back(true);
    EXPECT_EQ(Publish(), PublishOutcome::Published);
    ASSERT_EQ(fetched.size(), 2u);
    EXPECT_EQ(fetched[0], "http://h/game/zrk/client_process/request_ftp_info.php?username=\xD5\xC5\xC8\xFD");
    EXPECT_EQ(fetched[1],
              "http://h/game/zrk//client_process/request_card_upload.php?userid=42&username=%D5%C5%C8%FD"
              "&cardname=%D0%C2&srccardname=%B9%E2&imagefilename=2010%2D10%2D08+165645+42%5Fbig%2Ejpg"
              "&imagefilenamesmall=2010%2D10%2D08+165645+42%5Fsmall%2Ejpg&price=30");
    EXPECT_EQ(uploads, (std::vector<std::string>{
                           "shop " + dir.path() + "temp/big.jpg -> diy\\2010-10-08 165645 42_big.jpg",
                           "shop " + dir.path() + "temp/small.jpg -> diy\\2010-10-08 165645 42_small.jpg"}));
    EXPECT_EQ(host.questions, std::vector<std::string>{"提示: 发布卡片图片需要10活跃度，您确定要发布吗?"});
    EXPECT_EQ(host.messages, std::vector<std::string>{"发布成功"});
}

TEST_F(PublishTest, EachMissingFieldHasItsMessageInOrder) {
    struct Case {
        PublishForm form;
        const char* message;
    };
    const Case cases[] = {
        {{"", "", "", "abc"}, "请输入一个整数。"},
        {{"", "", "", "5"}, "请选择需要发布的卡片图片文件"},
        {{"f", "", "", "5"}, "请选择需要替换的卡片，也可以直接输入卡片人物名"},
        {{"f", "c", "", "5"}, "请输入新卡片的人物名，如果和原卡片一样，请输入同样的名字（复制即可）"},
        {{"f", "c", "n", "0"}, "请输入卡片图案的发售价格"},
        {{"f", "c", "n", "-5"}, "请输入卡片图案的发售价格"},
    };
    for (const Case& c : cases) {
        host.messages.clear();
        form = c.form;
        EXPECT_EQ(Publish(), PublishOutcome::Rejected);
        EXPECT_EQ(host.messages, std::vector<std::string>{c.message});
    }
    EXPECT_TRUE(fetched.empty());
    EXPECT_FALSE(lmn::PathExists(dir / "temp/big.jpg"));
}

TEST_F(PublishTest, AccountReplyOfSixFieldsFailsBeforeAnyQuestion) {
    ftpReply = "127.0.0.9;shop;pw;diy;10;";
    EXPECT_EQ(Publish(), PublishOutcome::Failed);
    EXPECT_EQ(host.messages, std::vector<std::string>{"上传图片失败"});
    EXPECT_TRUE(host.questions.empty());
    EXPECT_TRUE(uploads.empty());
}

TEST_F(PublishTest, CancelInTheQuestionUploadsNothing) {
    host.answers.push_back(false);
    EXPECT_EQ(Publish(), PublishOutcome::Cancelled);
    EXPECT_TRUE(uploads.empty());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(PublishTest, FailedSmallUploadFailsWithoutRegistering) {
    uploadsLeft = 1;
    host.answers.push_back(true);
    EXPECT_EQ(Publish(), PublishOutcome::Failed);
    EXPECT_EQ(uploads.size(), 2u);
    EXPECT_EQ(host.messages, std::vector<std::string>{"上传图片失败"});
    EXPECT_EQ(fetched.size(), 1u);
}

TEST_F(PublishTest, UnreadablePictureStopsBeforeTheServer) {
    form.cardPictureFile = dir / "nothing.png";
    EXPECT_EQ(Publish(), PublishOutcome::Failed);
    EXPECT_TRUE(fetched.empty());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find("nothing.png"), std::string::npos);
}

// After both pictures are on the FTP server a registration that fails leaves the form open with
// what failed; the next OK uploads again and registers.
TEST_F(PublishTest, FailedRegistrationKeepsTheFormOpenAndSaysWhatFailed) {
    registration = {0, ""};
    uploadsLeft = 6;
    host.answers = {true};
    EXPECT_EQ(Publish(), PublishOutcome::Failed);
    EXPECT_EQ(uploads.size(), 2u);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], "卡片图片已上传，但卡片登记失败（无法连接服务器），请稍后再点确定重试");

    registration = {503, "Service Unavailable"};
    host.messages.clear();
    host.answers = {true};
    EXPECT_EQ(Publish(), PublishOutcome::Failed);
    EXPECT_EQ(host.messages, std::vector<std::string>{
                                 "卡片图片已上传，但卡片登记失败（服务器返回错误 503），请稍后再点确定重试"});

    registration = {200, "\xB7\xA2\xB2\xBC\xB3\xC9\xB9\xA6"};
    host.messages.clear();
    host.answers = {true};
    EXPECT_EQ(Publish(), PublishOutcome::Published);
    EXPECT_EQ(host.messages, std::vector<std::string>{"发布成功"});
    EXPECT_EQ(uploads.size(), 6u);
}

TEST_F(PublishTest, AccountReplyWithAnErrorStatusFailsTheUpload) {
    ftpStatus = 500;
    host.answers.push_back(true);
    EXPECT_EQ(Publish(), PublishOutcome::Failed);
    EXPECT_EQ(host.messages, std::vector<std::string>{"上传图片失败"});
    EXPECT_TRUE(host.questions.empty());
    EXPECT_TRUE(uploads.empty());
}

TEST(CardList, FailedRequestGivesOneEmptyItem) {
    EXPECT_EQ(CardListOf({200, "a;b"}), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(CardListOf({404, "a;b"}), std::vector<std::string>{""});
    EXPECT_EQ(CardListOf({0, ""}), std::vector<std::string>{""});
}

}  // namespace
