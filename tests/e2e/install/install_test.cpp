// `cmake --install` into a fresh folder (its name holding a space and a dollar sign): the game
// folder's layout, the desktop entries, the font aliases, the registration helper, and the
// launcher starting the real Update.exe (offscreen, against devserver), which updates the
// folder and starts the game client (a stand-in that records how it was started).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <thread>

#include "child_process.h"
#include "devserver_process.h"
#include "profile.h"
#include "temp_dir.h"
#include "wait_until.h"

namespace lmn::test {
namespace {

namespace fs = std::filesystem;

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Runs a shell command line; its standard output and exit code.
std::pair<std::string, int> Shell(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {"", -1};
    char buf[4096];
    for (size_t n; (n = fread(buf, 1, sizeof buf, pipe)) > 0;) out.append(buf, n);
    const int status = pclose(pipe);
    return {out, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

bool IsExecutableFile(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & S_IXUSR);
}

// The width and height in a PNG's header, or {0, 0}.
std::pair<int, int> PngSize(const std::string& path) {
    const std::string data = ReadTestFile(path);
    if (data.size() < 24 || data.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) return {0, 0};
    auto big = [&](size_t at) {
        return (static_cast<unsigned char>(data[at]) << 24) |
               (static_cast<unsigned char>(data[at + 1]) << 16) |
               (static_cast<unsigned char>(data[at + 2]) << 8) | static_cast<unsigned char>(data[at + 3]);
    };
    return {static_cast<int>(big(16)), static_cast<int>(big(20))};
}

// The keys of a desktop entry's [Desktop Entry] group.
std::map<std::string, std::string> DesktopEntry(const std::string& path) {
    std::map<std::string, std::string> keys;
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "[Desktop Entry]") << path;
    while (std::getline(in, line)) {
        const size_t eq = line.find('=');
        if (eq != std::string::npos) keys[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return keys;
}

// Splits an Exec value into its arguments: the value's own escapes first (\\ \s ...), then
// the quoting of the arguments (inside "...", a backslash takes the next character as it is).
std::vector<std::string> ExecArguments(const std::string& value) {
    std::string text;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            const char c = value[++i];
            text += c == 's' ? ' ' : c == 'n' ? '\n' : c == 't' ? '\t' : c;
        } else {
            text += value[i];
        }
    }
    std::vector<std::string> args;
    std::string current;
    bool quoted = false, any = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted && c == '\\' && i + 1 < text.size()) {
            current += text[++i];
        } else if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (c == ' ' && !quoted) {
            if (any || !current.empty()) args.push_back(current);
            current.clear();
            any = false;
        } else {
            current += c;
        }
    }
    if (any || !current.empty()) args.push_back(current);
    return args;
}

class InstallTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        root = new TempDir();
        dir = root->path() + "game folder $HOME/";
        const auto [out, code] = Shell(Quote(LMN_CMAKE) + " --install " + Quote(LMN_BINARY_DIR) +
                                       " --prefix " + Quote(dir) + " 2>&1");
        installOutput = out;
        installCode = code;
    }
    static void TearDownTestSuite() {
        delete root;
        root = nullptr;
    }
    void SetUp() override { ASSERT_EQ(installCode, 0) << installOutput; }

    static std::string At(const std::string& relative) { return dir + relative; }

    static TempDir* root;
    static std::string dir;
    static std::string installOutput;
    static int installCode;
};

TempDir* InstallTest::root = nullptr;
std::string InstallTest::dir;
std::string InstallTest::installOutput;
int InstallTest::installCode = -1;

TEST_F(InstallTest, TheFolderHoldsWhatTheProgramsOpen) {
    for (const char* program :
         {"LMN_KX.exe", "Update.exe", "LMN_KX_Maker.exe", "lumenfold", "register-desktop.sh"})
        EXPECT_TRUE(IsExecutableFile(At(program))) << program;
    // The intro pages and movies, the music, the countdown voices, the greeting, the effects.
    for (const char* file : {"open.html", "pt.html", "flash/open.swf", "flash/pt.swf", "sound/bk.mp3",
                             "sound/orvn_tavmok.mp3", "sound/0.mp3", "sound/5.mp3", "sound/click.mp3",
                             "sound/battle_start.mp3", "select.png", "fonts/fonts.conf"}) {
        EXPECT_TRUE(fs::is_regular_file(At(file))) << file;
        EXPECT_GT(fs::file_size(At(file)), 0u) << file;
    }
    for (const char* folder : {"images/card", "update/config", "share/applications"})
        EXPECT_TRUE(fs::is_directory(At(folder))) << folder;
    EXPECT_GT(PngSize(At("select.png")).first, 0);
    // Nothing of the build's own tooling lands in the game folder.
    for (const auto& entry : fs::recursive_directory_iterator(dir))
        if (entry.path().extension() == ".sh") {
            EXPECT_EQ(entry.path().filename(), "register-desktop.sh");
        }
}

TEST_F(InstallTest, DesktopEntriesNameThisFoldersLauncherAndIcons) {
    const std::map<std::string, std::string> modes = {{"lumenfold.desktop", "game"},
                                                      {"lumenfold-card-maker.desktop", "maker"}};
    for (const auto& [file, mode] : modes) {
        SCOPED_TRACE(file);
        auto keys = DesktopEntry(At("share/applications/" + file));
        EXPECT_EQ(keys["Type"], "Application");
        EXPECT_FALSE(keys["Name"].empty());
        EXPECT_EQ(keys["Terminal"], "false");
        EXPECT_EQ(keys["Path"], dir.substr(0, dir.size() - 1));
        EXPECT_EQ(ExecArguments(keys["Exec"]), (std::vector<std::string>{At("lumenfold"), mode}))
            << keys["Exec"];
        EXPECT_EQ(PngSize(keys["Icon"]), std::make_pair(256, 256)) << keys["Icon"];
        EXPECT_EQ(fs::path(keys["Icon"]).parent_path(), fs::path(At("share/icons/hicolor/256x256/apps")));
    }
    EXPECT_NE(ReadTestFile(At("share/icons/hicolor/256x256/apps/lumenfold.png")),
              ReadTestFile(At("share/icons/hicolor/256x256/apps/lumenfold-card-maker.png")));
}

TEST_F(InstallTest, FontAliasesGiveTheChineseFacesTheirLinuxFonts) {
    if (Shell("fc-list 'AR PL UMing CN' family").first.empty())
        GTEST_SKIP() << "fonts-arphic-uming not installed";
    const std::string with =
        "FONTCONFIG_FILE=" + Quote(At("fonts/fonts.conf")) + " fc-match -f '%{family[0]}' ";
    EXPECT_EQ(Shell(with + "宋体").first, "AR PL UMing CN");
    EXPECT_EQ(Shell(with + "SimSun").first, "AR PL UMing CN");
    EXPECT_EQ(Shell(with + "楷体_GB2312").first, "AR PL UKai CN");
    // Other families resolve as without the file.
    EXPECT_EQ(Shell(with + "monospace").first, Shell("fc-match -f '%{family[0]}' monospace").first);
}

TEST_F(InstallTest, RegistrationAddsAndRemovesTheEntriesForTheUser) {
    TempDir data;
    const std::string env = "XDG_DATA_HOME=" + Quote(data.path()) + " ";
    const auto [added, addCode] = Shell(env + Quote(At("register-desktop.sh")) + " 2>&1");
    ASSERT_EQ(addCode, 0) << added;
    EXPECT_EQ(ReadTestFile(data / "applications/lumenfold.desktop"),
              ReadTestFile(At("share/applications/lumenfold.desktop")));
    EXPECT_TRUE(fs::exists(data / "applications/lumenfold-card-maker.desktop"));
    const auto [removed, removeCode] = Shell(env + Quote(At("register-desktop.sh")) + " --remove 2>&1");
    ASSERT_EQ(removeCode, 0) << removed;
    EXPECT_FALSE(fs::exists(data / "applications/lumenfold.desktop"));
    EXPECT_FALSE(fs::exists(data / "applications/lumenfold-card-maker.desktop"));
    EXPECT_NE(Shell(Quote(At("register-desktop.sh")) + " --bogus 2>/dev/null").second, 0);
}

// Starts the command line of a desktop entry's Exec value the way a desktop does (no shell).
ChildProcess StartEntry(const std::vector<std::string>& args, const std::map<std::string, std::string>& env,
                        const std::string& log) {
    return ChildProcess(args,
                        {.dir = "/", .env = env, .unsetEnv = {"FONTCONFIG_FILE", "DISPLAY"}, .output = log});
}

TEST_F(InstallTest, TheGameEntryGoesThroughTheUpdaterToTheClient) {
    DevServerProcess server;
    ASSERT_TRUE(server.ok());
    // A stand-in for the game client, run in place of the real one: it records how it was
    // started. The real updater keeps it, as the update tree does not offer a client.
    const std::string real = ReadTestFile(At("LMN_KX.exe"));
    WriteTestFile(At("LMN_KX.exe"),
                  "#!/bin/sh\necho \"$@|$FONTCONFIG_FILE|$(pwd)\" >> \"$(dirname \"$0\")/client-started\"\n");
    fs::permissions(At("LMN_KX.exe"), fs::perms::owner_all);

    auto keys = DesktopEntry(At("share/applications/lumenfold.desktop"));
    const std::string log = root->path() + "launcher.log";
    ChildProcess launcher =
        StartEntry(ExecArguments(keys["Exec"]),
                   {{"QT_QPA_PLATFORM", "offscreen"}, {"LMN_UPDATE_HOSTS", server.host()}}, log);
    ASSERT_TRUE(launcher.started());
    EXPECT_EQ(launcher.WaitForExit(60000), 0) << ReadTestFile(log);
    ASSERT_TRUE(WaitUntil([&] { return fs::exists(At("client-started")); }, 60000)) << ReadTestFile(log);
    EXPECT_EQ(ReadTestFile(At("client-started")),
              "go|" + At("fonts/fonts.conf") + "|" + dir.substr(0, dir.size() - 1) + "\n");

    // The updater did its work: it asked the update-address service, replaced itself with the
    // newer updater of the update tree, fetched the card pictures and the other file, and
    // stored the game server's address.
    const auto requests = server.LogLines("update");
    ASSERT_FALSE(requests.empty());
    EXPECT_NE(requests.front().find("get_update_url.php"), std::string::npos);
    EXPECT_TRUE(fs::exists(At("Update_old.exe")));
    EXPECT_TRUE(IsExecutableFile(At("Update.exe")));
    EXPECT_TRUE(fs::exists(At("images/card/card_no_1_big.jpg")));
    EXPECT_TRUE(fs::exists(At("images/card/card_no_4055_mini_t.jpg")));
    EXPECT_TRUE(fs::exists(At("notice/notice.txt")));
    for (const char* manifest :
         {"LMN_KX_total_update.xml", "LMN_KX_update.xml", "LMN_KX_card_image.xml", "LMN_KX_other_update.xml"})
        EXPECT_TRUE(fs::exists(At(std::string("update/config/") + manifest))) << manifest;
    EXPECT_EQ(ProfileFile(At("config.ini")).GetString("common", "strUrl", ""), server.baseUrl());
    WriteTestFile(At("LMN_KX.exe"), real);
}

TEST_F(InstallTest, TheMakerEntryStartsTheCardMakerInTheFolder) {
    auto keys = DesktopEntry(At("share/applications/lumenfold-card-maker.desktop"));
    const std::string log = root->path() + "maker.log";
    ChildProcess entry = StartEntry(ExecArguments(keys["Exec"]), {{"QT_QPA_PLATFORM", "offscreen"}}, log);
    ASSERT_TRUE(entry.started());
    const pid_t maker = entry.pid();
    // The launcher hands over to the card maker itself (same process), with the font aliases.
    ASSERT_TRUE(WaitUntil(
        [&] {
            std::error_code ec;
            return fs::read_symlink("/proc/" + std::to_string(maker) + "/exe", ec).filename() ==
                   "LMN_KX_Maker.exe";
        },
        10000));
    std::this_thread::sleep_for(std::chrono::seconds(2));
    EXPECT_TRUE(entry.Running()) << "the card maker ended: " << ReadTestFile(log);
    const std::string environ = ReadTestFile("/proc/" + std::to_string(maker) + "/environ");
    EXPECT_NE(environ.find(std::string("FONTCONFIG_FILE=") + At("fonts/fonts.conf") + '\0'),
              std::string::npos);
    EXPECT_EQ(fs::read_symlink("/proc/" + std::to_string(maker) + "/cwd"),
              fs::path(dir.substr(0, dir.size() - 1)));
}

}  // namespace
}  // namespace lmn::test
