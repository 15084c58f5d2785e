#include "updater_harness.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

namespace lmn::test {

namespace {

void Pause(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

bool FileExists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

}  // namespace

std::string TotalXml(const std::string& gameUrl, int cardVersion, int otherVersion) {
    return "<?xml version=\"1.0\" encoding=\"gb2312\"?>\r\n<total><gameurl url=\"" + gameUrl +
           "\"/><cardimage version=\"" + std::to_string(cardVersion) + "\"/><otherfile version=\"" +
           std::to_string(otherVersion) + "\"/></total>\r\n";
}

std::string UpdaterXml(int version, const std::string& site) {
    return "<?xml version=\"1.0\"?>\r\n<update><version>" + std::to_string(version) +
           "</version><downloadsite>" + site + "</downloadsite></update>\r\n";
}

std::string CardXml(const std::vector<CardRange>& ranges) {
    std::string xml = "<?xml version=\"1.0\"?>\r\n<cardimage>";
    for (const auto& r : ranges)
        xml += "<cardinfo startid=\"" + std::to_string(r.start) + "\" endid=\"" + std::to_string(r.end) +
               "\" imgcount=\"" + std::to_string(r.count) + "\"/>";
    return xml + "</cardimage>\r\n";
}

std::string OtherXml(const std::vector<OtherFile>& files) {
    std::string xml = "<?xml version=\"1.0\"?>\r\n<otherfile>";
    for (const auto& f : files)
        xml += "<fi sf=\"" + f.sf + "\" df=\"" + f.df + "\" ver=\"" + std::to_string(f.ver) + "\"/>";
    return xml + "</otherfile>\r\n";
}

UpdateServer::UpdateServer() {
    std::filesystem::remove_all(server_.root() + "update-tree");
    std::filesystem::create_directories(server_.root() + "update-tree");
}

void UpdateServer::Put(const std::string& relative, const std::string& data) const {
    WriteTestFile(server_.root() + "update-tree/" + relative, data);
}

void UpdateServer::PutRaw(const std::string& relative, const std::string& answer) const {
    WriteTestFile(server_.root() + "update-raw/" + relative, answer);
}

void UpdateServer::SetAddressAnswer(const std::string& answer) const {
    WriteTestFile(server_.root() + "update-address.txt", answer);
}

void UpdateServer::SetSlowRate(long bytesPerSecond) const {
    WriteTestFile(server_.root() + "update-slow-rate", std::to_string(bytesPerSecond));
}

void UpdateServer::ClearRequests() const {
    std::filesystem::remove(server_.root() + "log/update.log");
}

InstallFolder::InstallFolder() {
    Put("Update.exe", UpdaterProgram());
    Put("LMN_KX.exe", StubClientProgram());
    chmod((dir_ / "Update.exe").c_str(), 0755);
    chmod((dir_ / "LMN_KX.exe").c_str(), 0755);
}

void InstallFolder::Put(const std::string& relative, const std::string& data) const {
    WriteTestFile(dir_ / relative, data);
}

std::string InstallFolder::Read(const std::string& relative) const {
    return ReadTestFile(dir_ / relative);
}

bool InstallFolder::Has(const std::string& relative) const {
    return FileExists(dir_ / relative);
}

std::vector<std::string> InstallFolder::ClientStarts() const {
    return Has("client_args.txt") ? Lines(Read("client_args.txt")) : std::vector<std::string>{};
}

bool InstallFolder::WaitForClientStarts(size_t count, int timeoutMs) const {
    for (int waited = 0; waited < timeoutMs; waited += 20) {
        if (ClientStarts().size() >= count) return true;
        Pause(20);
    }
    return false;
}

void InstallFolder::Start(const std::string& hosts, const std::string& display) {
    std::string program = dir_ / "Update.exe";
    std::string out = stdoutPath();
    SpawnOptions options{.output = out};
    if (display.empty()) {
        options.env = {{"LMN_UPDATE_HOSTS", hosts}, {"QT_QPA_PLATFORM", "offscreen"}};
        options.unsetEnv = {"DISPLAY"};
    } else {
        options.env = {{"LMN_UPDATE_HOSTS", hosts}, {"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", display}};
    }
    process_ = ChildProcess({program}, options);
}

int InstallFolder::Wait(int timeoutMs) {
    const int code = process_.WaitForExit(timeoutMs);
    process_.Stop(0);
    return code;
}

std::string InstallFolder::Stdout() const {
    return FileExists(stdoutPath()) ? ReadTestFile(stdoutPath()) : std::string();
}

bool InstallFolder::WaitForPrompts(size_t count, int timeoutMs) const {
    for (int waited = 0; waited < timeoutMs; waited += 20) {
        size_t prompts = 0;
        for (const auto& line : Lines(Stdout()))
            if (line.rfind("prompt: ", 0) == 0) ++prompts;
        if (prompts >= count) return true;
        Pause(20);
    }
    return false;
}

std::string UpdaterProgram() {
    return ReadTestFile(LMN_UPDATER_EXE);
}

std::string StubClientProgram() {
    return ReadTestFile(LMN_STUB_CLIENT_EXE);
}

}  // namespace lmn::test
