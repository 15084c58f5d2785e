#include "settings.h"

#include <gtest/gtest.h>

#include "paths.h"
#include "shell_fixture.h"
#include "text.h"

namespace lmn::shell::test {
namespace {

using lmn::test::ReadTestFile;
using lmn::test::WriteTestFile;

const char kSaveAllOn[] =
    "[save_setting]&bMusic=1&bSound=1&bVoice=1&bAutoLogin=1&username=Ann&password=PassWORD&"
    "bSaveRecord=1&bOutIP=0";

using Settings = ShellFixture;

TEST_F(Settings, AFreshFolderReadsTheDefaultsAndSendsThem) {
    OpenToClientPage();
    EXPECT_FALSE(PathExists(dir / "config.ini")) << "nothing is written before the first save";
    PageSends("[get_setting]");
    EXPECT_EQ(
        PageTexts().back(),
        "type=[setting]&bMusic=1&bSound=1&bVoice=1&bAutoLogin=0&username=&password=&bSaveRecord=1&bOutIP=0");
    EXPECT_EQ(dlg->context().BaseUrl(), "http://127.0.0.1/game/zrk/");
}

TEST_F(Settings, SavedTextsAreLowerCaseAndOtherProgramsKeysStay) {
    WriteTestFile(
        dir / "config.ini",
        "; written by the updater\r\n[common]\r\nstrUrl=http://srv/game/zrk/\r\nstrMakerPath=D:\\Cards\r\n"
        "[update]\r\nver=3\r\n");
    OpenToClientPage();
    PageSends(kSaveAllOn);
    const std::string file = ReadTestFile(dir / "config.ini");
    EXPECT_NE(file.find("; written by the updater"), std::string::npos);
    EXPECT_NE(file.find("strMakerPath=D:\\Cards"), std::string::npos);
    EXPECT_NE(file.find("[update]"), std::string::npos);
    const CConfig saved = LoadConfig(dir / "config.ini");
    EXPECT_EQ(saved.strPassword, "password");
    EXPECT_EQ(saved.strUserName, "ann");
    EXPECT_EQ(saved.bAutoLogin, 1);
    EXPECT_EQ(saved.strUrl, "http://srv/game/zrk/");

    PageSends("[get_setting]");
    EXPECT_NE(PageTexts().back().find("&username=ann&password=password&"), std::string::npos);
}

TEST_F(Settings, SaveReloadsTheClientPageWithRefresh) {
    OpenToClientPage();
    PageSends(kSaveAllOn);
    EXPECT_EQ(host.navigations.back(),
              "http://127.0.0.1/game/zrk/index.php?type=client&path=" + dir.path() +
                  "&ip=192.168.7.20&username=ann&password=password&refresh=1&binip2outip=0");
    PageSends("[save_setting]&bMusic=1&bOutIP=1");
    EXPECT_EQ(host.navigations.back(), "http://127.0.0.1/game/zrk/index.php?type=client&path=" + dir.path() +
                                           "&ip=192.168.7.20&refresh=1&binip2outip=1");
}

TEST_F(Settings, OutsideAddressRequestAndMusicFollowOnlyChanges) {
    OpenToClientPage();
    const std::string lobby = "http://127.0.0.1/game/zrk/client_process/process.php?type=";
    log.clear();
    PageSends("[save_setting]&bMusic=1&bOutIP=0");
    EXPECT_EQ(log.size(), 1u) << "unchanged: only the page reload";
    log.clear();
    PageSends("[save_setting]&bMusic=0&bOutIP=1");
    EXPECT_EQ(log.at(0), "music stop");
    EXPECT_EQ(log.at(1), "fetch " + lobby + "[set_inip2outip]&flag=1");
    log.clear();
    PageSends("[save_setting]&bMusic=1&bOutIP=0");
    EXPECT_EQ(log.at(0), "music start");
    EXPECT_EQ(log.at(1), "fetch " + lobby + "[set_inip2outip]&flag=0");
    log.clear();
    PageSends("[save_setting]&bMusic=1&bOutIP=0");
    EXPECT_EQ(log.size(), 1u);
}

TEST(SettingsFile, UnreadableNumbersAndLongTextsReadAsTheProfileFunctionsDo) {
    lmn::test::TempDir dir;
    WriteTestFile(dir / "config.ini",
                  "[COMMON]\r\nBMUSIC = x\r\nbSound=0\r\nstrUserName = " + std::string(6000, 'a') + "\r\n");
    const CConfig c = LoadConfig(dir / "config.ini");
    EXPECT_EQ(c.bMusic, 0);
    EXPECT_EQ(c.bSound, 0);
    EXPECT_EQ(c.bVoice, 1);
    EXPECT_EQ(c.strUserName.size(), 4999u);
}

}  // namespace
}  // namespace lmn::shell::test
