// The card maker's server requests and its FTP upload against a loopback server that accepts and
// never answers: each ends as failed within the shortened bounds and the player hears what failed.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "card_outputs.h"
#include "card_pictures.h"
#include "fake_host.h"
#include "ftp_upload.h"
#include "http.h"
#include "paths.h"
#include "publish.h"
#include "stub_web_server.h"
#include "temp_dir.h"
#include "wait_until.h"

using namespace lmn::maker;
using namespace lmn::test;
using namespace std::chrono_literals;

namespace {

class SilentServer : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(server.ok());
        lmn::SetHttpLimits({500ms, 700ms, 5});
    }
    void TearDown() override { lmn::SetHttpLimits({}); }

    // "127.0.0.1:port" of the silent server.
    std::string HostAndPort() const { return server.origin().substr(std::string("http://").size()); }

    StubWebServer server;
    TempDir install;
};

TEST_F(SilentServer, CardNameAndCardListRequestsFailInsteadOfHanging) {
    auto name = std::make_shared<FetchReply>(FetchReply{-1, "unset"});
    auto list = std::make_shared<std::vector<std::string>>();
    const std::string base = server.origin() + "/game/zrk/";
    ASSERT_TRUE(EndsWithin(20s, [=] {
        *name = FetchWithStatus(CardNameUrl(base, "17"));
        *list = CardListOf(FetchWithStatus(CardListUrl(base)));
    }));
    EXPECT_EQ(name->status, 0);
    EXPECT_EQ(CardNameOf(*name), "");
    EXPECT_EQ(*list, std::vector<std::string>{""});
    EXPECT_EQ(server.TargetsWith("get_card_name.php?id=17").size(), 1u) << "sent, never answered";
    EXPECT_EQ(server.TargetsWith("request_card_list.php").size(), 1u);
}

TEST_F(SilentServer, FtpUploadToAServerThatNeverGreetsFails) {
    ASSERT_TRUE(lmn::WriteFileAtomic(install / "big.jpg", std::string(4096, 'x')));
    auto uploaded = std::make_shared<bool>(true);
    const std::string local = install / "big.jpg";
    FtpAccount account{HostAndPort(), "shop", "pw", "diy", "10"};
    // Well under the 15 s an unbounded connect would take: the shortened bounds apply to FTP too.
    ASSERT_TRUE(EndsWithin(10s, [=] { *uploaded = UploadFile(account, local, "diy\\a_big.jpg"); }));
    EXPECT_FALSE(*uploaded);
}

TEST_F(SilentServer, PublishingAgainstASilentServerSaysTheUploadFailed) {
    SavePng(SyntheticCard(), install / "mine.png");
    PublishForm form{install / "mine.png", "\xB9\xE2", "\xD0\xC2", "30"};
    PublishContext ctx{server.origin() + "/game/zrk/", "alice", 42, install.path()};
    auto host = std::make_shared<FakeMakerHost>();
    host->answers.push_back(true);
    auto outcome = std::make_shared<PublishOutcome>(PublishOutcome::Published);
    ASSERT_TRUE(EndsWithin(20s, [=] { *outcome = PublishCard(form, ctx, NetworkPublishServices(), *host); }));
    EXPECT_EQ(*outcome, PublishOutcome::Failed);
    EXPECT_EQ(host->messages, std::vector<std::string>{"上传图片失败"});
    EXPECT_TRUE(host->questions.empty());
}

}  // namespace
