// The update run against a server that misbehaves: destinations outside the game folder, a
// game URL that cannot be stored or is missing, stored copies with text before the XML, and a
// server that accepts a connection and then says nothing.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>

#include "canned_server.h"
#include "fake_host.h"
#include "http_xml_document.h"
#include "manifest_reader.h"
#include "other_files.h"
#include "temp_dir.h"
#include "update_run.h"

namespace lmn::updater {
namespace {

using lmn::test::CannedServer;
using lmn::test::FakeHost;
using lmn::test::HttpAnswer;
using lmn::test::ReadTestFile;
using lmn::test::RunEnded;
using lmn::test::TempDir;
using lmn::test::WriteTestFile;

using namespace std::chrono_literals;

bool Exists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

std::string TotalXml(const std::string& gameUrl) {
    return "<?xml version=\"1.0\"?><total><gameurl url=\"" + gameUrl +
           "\"/><cardimage version=\"1\"/><otherfile version=\"1\"/></total>";
}

std::string OtherXml(const std::vector<std::pair<std::string, std::string>>& files) {
    std::string xml = "<?xml version=\"1.0\"?><otherfile>";
    for (const auto& [sf, df] : files) xml += "<fi sf=\"" + sf + "\" df=\"" + df + "\" ver=\"2\"/>";
    return xml + "</otherfile>";
}

const std::string kUpdaterXml =
    "<?xml version=\"1.0\"?><u><version>1</version><downloadsite>u</downloadsite></u>";
const std::string kCardXml =
    "<?xml version=\"1.0\"?><c><cardinfo startid=\"1\" endid=\"1\" imgcount=\"3\"/></c>";

// An update server serving `files` below /game/zrk/, and an install folder holding the same
// manifests, so that the run has nothing to do until a test changes one side.
class HostileServerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        base = server.url("/game/zrk/");
        files["get_update_url.php"] = base;
        Mirror(kTotalManifest, TotalXml("http://old.example/zrk/"));
        Mirror(kUpdaterManifest, kUpdaterXml);
        Mirror(kCardManifest, kCardXml);
        Mirror(kOtherManifest, OtherXml({}));
        for (int id = 4001; id <= 4003; ++id)
            WriteTestFile(dir / ("images/card/card_no_" + std::to_string(id) + "_mini_t.jpg"), "special");
        WriteTestFile(dir / "config.ini", "[common]\r\nstrUrl=http://old.example/zrk/\r\n");
        session.setBaseUrl(base);
    }

    void Mirror(const std::string& path, const std::string& body) {
        files[path] = body;
        WriteTestFile(dir / path, body);
    }

    int Run() {
        try {
            RunUpdate(session, {base + "get_update_url.php", base + "get_update_url.php"});
        } catch (const RunEnded& ended) {
            return ended.code;
        }
    }

    TempDir dir;
    FakeHost host;
    UpdateSession session{host, dir.path()};
    std::map<std::string, std::string> files;
    std::string base;
    CannedServer server{[this](const std::string& line) {
        for (const auto& [path, body] : files)
            if (line.find("/game/zrk/" + path + " ") != std::string::npos) return HttpAnswer(200, body);
        return HttpAnswer(404, "not found 404 ");
    }};
};

TEST(Destinations, OnlyFilesInsideTheGameFolderAreAccepted) {
    for (const char* inside : {"a.txt", "flash/intro.swf", "deep\\er\\x.swf", "a/../b.txt", "./c.txt"})
        EXPECT_TRUE(IsDestinationInsideGameFolder(inside)) << inside;
    for (const char* outside : {"", "/etc/x", "\\x", "c:/x.txt", "C:x.txt", "../x.txt", "a/../../x",
                                "..\\x.txt", "a/..", "flash/", "."})
        EXPECT_FALSE(IsDestinationInsideGameFolder(outside)) << outside;
}

TEST_F(HostileServerTest, DestinationsOutsideTheFolderAreSkippedAndTheOthersFetched) {
    const std::string escape =
        "../" + dir.path().substr(dir.path().rfind('/', dir.path().size() - 2) + 1) + "-escaped.txt";
    std::vector<std::pair<std::string, std::string>> entries = {{"files/x", escape},
                                                                {"files/x", dir / "absolute.txt"},
                                                                {"files/x", "c:" + (dir / "drive.txt")},
                                                                {"files/x", "good/x.txt"}};
    files["files/x"] = "payload";
    files[kOtherManifest] = OtherXml(entries);

    testing::internal::CaptureStdout();
    UpdateOtherFiles(session);
    const std::string out = testing::internal::GetCapturedStdout();

    EXPECT_EQ(ReadTestFile(dir / "good/x.txt"), "payload");
    EXPECT_FALSE(Exists(dir / escape)) << "written beside the game folder";
    EXPECT_FALSE(Exists(dir / "absolute.txt"));
    EXPECT_FALSE(Exists(dir / "drive.txt"));
    EXPECT_EQ(ReadTestFile(dir / kOtherManifest), OtherXml(entries)) << "stored as usual";
    size_t skipped = 0;
    for (size_t at = out.find("skipped: "); at != std::string::npos; at = out.find("skipped: ", at + 1))
        ++skipped;
    EXPECT_EQ(skipped, 3u) << out;
}

TEST_F(HostileServerTest, TheTotalManifestIsStoredOnlyWhenConfigIniHoldsItsGameUrl) {
    files[kTotalManifest] = TotalXml("http://new.example/zrk/");
    ASSERT_EQ(unlink((dir / "config.ini").c_str()), 0);
    WriteTestFile(dir / "config.ini/blocks", "a folder where config.ini should be");
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(host.started, std::vector<std::string>{dir / "LMN_KX.exe go"});
    EXPECT_EQ(ReadTestFile(dir / kTotalManifest), TotalXml("http://old.example/zrk/"))
        << "tried again next run";
}

TEST_F(HostileServerTest, AMissingGameUrlIsNeverWritten) {
    files[kTotalManifest] =
        "<?xml version=\"1.0\"?><total><cardimage version=\"1\"/><otherfile version=\"1\"/></total>";
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(ReadTestFile(dir / "config.ini"), "[common]\r\nstrUrl=http://old.example/zrk/\r\n");
    EXPECT_EQ(host.started, std::vector<std::string>{dir / "LMN_KX.exe go"});
}

// The server's copy is read from its first "<?xml"; the copy stored from it reads the same, so a
// stored updater manifest behind a short preface does not count as version 0 (which would
// replace the updater on every run).
TEST_F(HostileServerTest, StoredCopiesReadFromTheirXmlDeclarationLikeTheServersCopy) {
    WriteTestFile(dir / kUpdaterManifest, "ok\n<?xml version=\"1.0\"?><u><version>7</version></u>");
    EXPECT_EQ(ReadLocalUpdaterVersion(session), 7);
}

// A listening socket nobody accepts from: the kernel completes connections into its backlog,
// and once that is full, further connection attempts get no answer at all.
class SilentServer {
  public:
    SilentServer() {
        fd_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        listen(fd_, 0);
        socklen_t len = sizeof addr;
        getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &len);
        port_ = ntohs(addr.sin_port);
    }
    ~SilentServer() {
        for (int fd : fillers_) close(fd);
        close(fd_);
    }
    std::string url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/m.xml"; }
    // Fills the backlog so that the next connection attempt stalls.
    void Fill() {
        for (int i = 0; i < 3; ++i) {
            int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
            sockaddr_in addr{};
            addr.sin_family = AF_INET;
            addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            addr.sin_port = htons(static_cast<uint16_t>(port_));
            connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
            fillers_.push_back(fd);
        }
        usleep(100000);
    }

  private:
    int fd_ = -1;
    int port_ = 0;
    std::vector<int> fillers_;
};

TEST(ManifestRequestBounds, AServerThatStallsFailsTheLoad) {
    SilentServer silent;
    CHttpXmlDocument doc(SocketBounds{200ms, 200ms});
    testing::internal::CaptureStdout();
    EXPECT_FALSE(doc.LoadHttpXml(silent.url(), 80)) << "connected, but no byte arrives";
    silent.Fill();
    EXPECT_FALSE(doc.LoadHttpXml(silent.url(), 80)) << "the connection is never answered";
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("error: no answer from the server in time"), std::string::npos) << out;
    EXPECT_NE(out.find("error: connect httpserver fail in loadhttpxml"), std::string::npos) << out;
}

}  // namespace
}  // namespace lmn::updater
