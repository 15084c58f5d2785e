// Failures, the skip button and a busy game client, answered through the real window under
// Xvfb with key presses.
#include <unistd.h>

#include <filesystem>

#include "child_process.h"
#include "updater_fixture.h"
#include "xvfb_session.h"

namespace lmn::test {
namespace {

class UpdaterPromptTest : public UpdaterTest {
  protected:
    void SetUp() override {
        UpdaterTest::SetUp();
        ASSERT_TRUE(x.ok());
    }

    // Starts Update.exe on the X server and waits for its failure prompt.
    std::string StartAndWaitForPrompt(const std::string& hosts) {
        folder.Start(hosts, x.display());
        EXPECT_TRUE(folder.WaitForPrompts(1, 20000)) << folder.Stdout();
        return x.WaitForWindow("^提示$", 5000);
    }

    std::string PromptLine() const {
        std::string out = folder.Stdout();
        size_t at = out.find("prompt: ");
        return at == std::string::npos ? "" : out.substr(at, out.find('\n', at) - at);
    }

    // Answers the failure prompt; the run then ends with exit code 0.
    void Answer(const std::string& window, const std::string& key) {
        ASSERT_FALSE(window.empty());
        x.PressKey(window, key);
        EXPECT_EQ(folder.Wait(10000), 0);
    }

    XvfbSession x;
};

std::string FailurePrompt(const std::string& reason) {
    return "prompt: 提示: " + reason + ", 升级失败，是否仍然要进入游戏?";
}

TEST_F(UpdaterPromptTest, UnreachableAddressServicesYesStartsTheGame) {
    std::string window = StartAndWaitForPrompt("127.0.0.1:1 127.0.0.1:1");
    EXPECT_EQ(PromptLine(), FailurePrompt("连接升级服务器失败"));
    Answer(window, "Return");
    ASSERT_TRUE(folder.WaitForClientStarts(1, 5000));
    EXPECT_EQ(folder.ClientStarts(), std::vector<std::string>{"go"});
}

TEST_F(UpdaterPromptTest, AddressWithoutMarkerNoLeavesTheGameStopped) {
    server.SetAddressAnswer("<html>service busy</html>");
    std::string window = StartAndWaitForPrompt(Hosts());
    EXPECT_EQ(PromptLine(), FailurePrompt("连接升级服务器失败"));
    EXPECT_EQ(Requested(), (std::vector<std::string>{"get_update_url.php", "get_update_url.php"}));
    Answer(window, "Escape");
    usleep(500000);
    EXPECT_TRUE(folder.ClientStarts().empty());
}

TEST_F(UpdaterPromptTest, SecondAddressServiceIsUsedWhenTheFirstFails) {
    folder.Start("127.0.0.1:1 " + server.host(), x.display());
    EXPECT_EQ(folder.Wait(kRunTimeoutMs), 0);
    ASSERT_TRUE(folder.WaitForClientStarts(1, 5000));
    EXPECT_EQ(folder.Stdout().find("prompt: "), std::string::npos);
}

TEST_F(UpdaterPromptTest, BrokenManifestAnswersFailTheRead) {
    std::string xml = TotalXml(gameUrl, 1, 1);
    std::string broken = "<?xml version=\"1.0\"?><total><gameurl url=\"\"/><broken></total>";
    broken.resize(xml.size(), ' ');
    const std::vector<std::pair<std::string, std::string>> answers = {
        {"no length", "HTTP/1.1 200 OK\r\n\r\n" + xml},
        {"no blank", "HTTP/1.1 200 OK\r\nContent-Length:" + std::to_string(xml.size()) + "\r\n\r\n" + xml},
        {"cut",
         "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(xml.size()) + "\r\n\r\n" + xml.substr(0, 40)},
        {"not xml", "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(xml.size()) + "\r\n\r\n" + broken},
    };
    for (const auto& [name, raw] : answers) {
        SCOPED_TRACE(name);
        server.PutRaw(kTotal, raw);
        std::filesystem::remove(folder.stdoutPath());
        std::string window = StartAndWaitForPrompt(Hosts());
        EXPECT_EQ(PromptLine(), FailurePrompt("读取LMN_KX_total_update.xml失败"));
        Answer(window, "Escape");
        EXPECT_NE(folder.Read("config.ini").find("strUrl=" + gameUrl), std::string::npos);
    }
    EXPECT_TRUE(folder.ClientStarts().empty());
}

TEST_F(UpdaterPromptTest, NotFoundFileIsTriedFourTimesThenPrompts) {
    server.Put(kOthers, OtherXml({{"files/a.txt", "a.txt", 1}, {"files/gone.swf", "gone.swf", 1}}));
    server.Put(kTotal, TotalXml(gameUrl, 1, 2));
    std::string window = StartAndWaitForPrompt(Hosts());
    EXPECT_EQ(PromptLine(), FailurePrompt("下载gone.swf失败"));
    int attempts = 0;
    for (const auto& path : Requested()) attempts += path == "files/gone.swf";
    EXPECT_EQ(attempts, 4);
    Answer(window, "Return");
    ASSERT_TRUE(folder.WaitForClientStarts(1, 5000));
    EXPECT_FALSE(folder.Has("gone.swf"));
    EXPECT_EQ(folder.Read(kOthers), OtherXml({{"files/a.txt", "a.txt", 1}}));  // step not finished
}

TEST_F(UpdaterPromptTest, SkipDuringALongDownloadThenTheNextRunRepeatsTheStep) {
    std::string big(3 << 20, 'b');
    server.Put("files/big.pak", big);
    server.Put(kOthers, OtherXml({{"files/big.pak", "data/big.pak", 1}}));
    server.Put(kTotal, TotalXml(gameUrl, 1, 2));
    server.SetAddressAnswer(server.slowBaseUrl());
    server.SetSlowRate(256 * 1024);

    folder.Start(Hosts(), x.display());
    std::string window = x.WaitForWindow("^Lumenfold-升级程序$", 10000);
    ASSERT_FALSE(window.empty());
    for (int i = 0; i < 400; ++i) {
        auto paths = Requested();
        if (!paths.empty() && paths.back() == "files/big.pak") break;
        usleep(25000);
    }
    usleep(1500000);
    std::filesystem::create_directories(std::string(LMN_BINARY_DIR) + "/artifacts");
    EXPECT_TRUE(x.Screenshot(window, std::string(LMN_BINARY_DIR) + "/artifacts/updater-download.png"));

    x.PressKey(window, "space");  // the skip button has the focus
    std::string prompt = x.WaitForWindow("^提示$", 5000);
    ASSERT_FALSE(prompt.empty());
    x.PressKey(prompt, "Return");
    EXPECT_EQ(folder.Wait(5000), 0);
    ASSERT_TRUE(folder.WaitForClientStarts(1, 2000));
    EXPECT_FALSE(folder.Has("data/big.pak"));
    EXPECT_EQ(folder.Read(kOthers), OtherXml({{"files/a.txt", "a.txt", 1}}));

    server.SetAddressAnswer(server.baseUrl());
    server.ClearRequests();
    EXPECT_EQ(RunOffscreen(), 0);
    ASSERT_TRUE(folder.WaitForClientStarts(2, 5000));
    EXPECT_EQ(folder.Read("data/big.pak"), big);
    EXPECT_EQ(folder.Read(kOthers), OtherXml({{"files/big.pak", "data/big.pak", 1}}));
}

TEST_F(UpdaterPromptTest, RunningGameClientIsReplacedAfterItCloses) {
    std::string newer = StubClientProgram() + "\nnewer client build\n";
    server.Put("files/LMN_KX.exe", newer);
    server.Put(kOthers, OtherXml({{"files/LMN_KX.exe", "LMN_KX.exe", 2}}));
    server.Put(kTotal, TotalXml(gameUrl, 1, 2));
    folder.Put("client_hold", "");
    ChildProcess running({folder / "LMN_KX.exe", "running"});
    ASSERT_TRUE(folder.WaitForClientStarts(1, 5000));

    folder.Start(Hosts(), x.display());
    ASSERT_TRUE(folder.WaitForPrompts(1, 20000)) << folder.Stdout();
    std::string expected =
        "prompt: Update: 无法覆盖文件" + folder.path() + "LMN_KX.exe，请确认是否已经退出正在运行的Lumenfold";
    EXPECT_EQ(PromptLine(), expected);
    std::string box = x.WaitForWindow("^Update$", 5000);
    ASSERT_FALSE(box.empty());
    x.PressKey(box, "Return");  // the game still runs: asked again
    ASSERT_TRUE(folder.WaitForPrompts(2, 10000));

    std::filesystem::remove(folder / "client_hold");
    ASSERT_EQ(running.WaitForExit(10000), 0);
    box = x.WaitForWindow("^Update$", 5000);
    ASSERT_FALSE(box.empty());
    x.PressKey(box, "Return");
    EXPECT_EQ(folder.Wait(10000), 0);
    ASSERT_TRUE(folder.WaitForClientStarts(2, 5000));
    EXPECT_EQ(folder.ClientStarts(), (std::vector<std::string>{"running", "go"}));
    EXPECT_EQ(folder.Read("LMN_KX.exe"), newer);
}

}  // namespace
}  // namespace lmn::test
