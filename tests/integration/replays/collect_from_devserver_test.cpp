// The lobby script's answer to a collect request, stored as a collected replay.
#include <gtest/gtest.h>

#include <map>

#include "collected_replays.h"
#include "devserver_process.h"
#include "http.h"
#include "temp_dir.h"
#include "text.h"

namespace lmn::replays {
namespace {

class Sink : public ReplaySink {
  public:
    void SendToPage(const std::string& text) override { pageTexts.push_back(text); }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void Pause(int) override {}
    std::vector<std::string> pageTexts;
    std::vector<std::string> messages;
};

std::map<std::string, std::string> Fields(const std::string& reply) {
    std::map<std::string, std::string> fields;
    for (const std::string& pair : Split(reply, '&')) {
        size_t eq = pair.find('=');
        if (eq != std::string::npos) fields[pair.substr(0, eq)] = pair.substr(eq + 1);
    }
    return fields;
}

std::string Collect(const test::DevServerProcess& server, const std::string& id) {
    return FetchText(server.baseUrl() + "client_process/process.php?type=[record_collect]&id=" + id);
}

TEST(CollectFromDevServer, TheAnswerCarriesTheFourKeysAndIsStoredOnce) {
    test::DevServerProcess server;
    ASSERT_TRUE(server.ok());
    auto fields = Fields(Collect(server, "1"));
    ASSERT_EQ(fields.size(), 4u);
    EXPECT_EQ(fields["username1"], "alice");
    EXPECT_EQ(fields["username2"], "bob");
    EXPECT_EQ(fields["saveTime"], "2009-03-04 05:06:07");
    EXPECT_FALSE(fields["movie_data"].empty());

    test::TempDir install;
    ReplayFolders folders(install.path());
    Sink sink;
    CollectedReplays collection(folders, sink);
    CollectReply reply{fields["username1"], fields["username2"], fields["saveTime"], fields["movie_data"]};
    EXPECT_EQ(collection.Store(reply), CollectOutcome::Stored);
    EXPECT_EQ(collection.Store(reply), CollectOutcome::AlreadyCollected);
    EXPECT_EQ(test::ReadTestFile(install / "collect/[alice] vs [bob]20090304050607.txt"),
              fields["movie_data"]);
    EXPECT_EQ(sink.messages,
              (std::vector<std::string>{Utf8ToGbk("收藏成功"), Utf8ToGbk("您已经收藏过本录像了")}));
}

TEST(CollectFromDevServer, OffersReplaysPutInItsRootAndNothingForUnknownIds) {
    test::DevServerProcess server;
    ASSERT_TRUE(server.ok());
    test::WriteTestFile(server.root() + "replays/77.txt", "username1=x&username2=y&saveTime=1&movie_data=z");
    EXPECT_EQ(Collect(server, "77"), "username1=x&username2=y&saveTime=1&movie_data=z");
    EXPECT_EQ(Collect(server, "999"), "");
    EXPECT_EQ(Collect(server, "..%2f..%2fetc%2fpasswd"), "");
    EXPECT_EQ(server.LogLines("replays").size(), 3u);
    // The lobby's other operations still reach the lobby module.
    EXPECT_EQ(FetchText(server.baseUrl() + "client_process/process.php?type=[login_out]"), "ok");
}

}  // namespace
}  // namespace lmn::replays
