// The client page asked for again after its load failed while the web server was down: after
// 10 s, then twice as long each time up to 160 s; a successful load starts over at 10 s.
#include <gtest/gtest.h>

#include "shell_fixture.h"

namespace lmn::shell::test {
namespace {

class ClientPageRetryTest : public ShellFixture {
  protected:
    size_t ClientPageLoads() const {
        size_t n = 0;
        for (const auto& url : host.navigations) n += url.find("index.php?type=client") != std::string::npos;
        return n;
    }
    // Milliseconds until the client page is asked for again (at most `limit`), or -1.
    long NextReloadWithin(long limit) {
        const size_t before = ClientPageLoads();
        for (long waited = 0; waited < limit; waited += 100) {
            host.Advance(100);
            if (ClientPageLoads() > before) return waited + 100;
        }
        return -1;
    }
    std::string ClientPage() const { return host.navigations.back(); }
};

TEST_F(ClientPageRetryTest, AFailedClientPageIsAskedForAgainWithGrowingPauses) {
    OpenToClientPage();
    ASSERT_EQ(ClientPageLoads(), 1u);
    std::vector<long> pauses;
    for (int i = 0; i < 6; ++i) {
        dlg->OnMainFrameLoadFinished(ClientPage(), true);
        pauses.push_back(NextReloadWithin(200000));
    }
    EXPECT_EQ(pauses, (std::vector<long>{10000, 20000, 40000, 80000, 160000, 160000}));
    const size_t fetchesPerRun = 2;  // [get_out_ip] and [get_srv_ip]
    EXPECT_EQ(server.Fetched().size(), fetchesPerRun * 7);

    // The server is back: the page loads, and the next outage starts over.
    dlg->OnMainFrameLoadFinished(ClientPage(), false);
    EXPECT_EQ(NextReloadWithin(400000), -1) << "a loaded client page is not asked for again";
    dlg->OnMainFrameLoadFinished(ClientPage(), true);
    EXPECT_EQ(NextReloadWithin(200000), 10000);
}

TEST_F(ClientPageRetryTest, OtherPagesAndSuccessfulLoadsAskForNothing) {
    OpenToClientPage();
    dlg->OnMainFrameLoadFinished("http://127.0.0.1/game/zrk/p2pgame.php", true);
    dlg->OnMainFrameLoadFinished("http://lmnkx-cmd/[get_setting]", true);
    dlg->OnMainFrameLoadFinished("http://127.0.0.1/game/zrk/gameclient_fc.php?first=1", true);
    dlg->OnMainFrameLoadFinished(ClientPage(), false);
    EXPECT_EQ(NextReloadWithin(400000), -1);
    EXPECT_EQ(ClientPageLoads(), 1u);
}

}  // namespace
}  // namespace lmn::shell::test
