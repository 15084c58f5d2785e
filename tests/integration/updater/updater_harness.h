// Runs the real Update.exe in a temporary install folder against devserver's update tree.
#pragma once

#include <string>
#include <vector>

#include "child_process.h"
#include "devserver_process.h"
#include "temp_dir.h"

namespace lmn::test {

struct CardRange {
    int start, end, count;
};
struct OtherFile {
    std::string sf, df;
    int ver;
};

std::string TotalXml(const std::string& gameUrl, int cardVersion, int otherVersion);
std::string UpdaterXml(int version, const std::string& site);
std::string CardXml(const std::vector<CardRange>& ranges);
std::string OtherXml(const std::vector<OtherFile>& files);

// The update server's side: an empty tree to fill, raw answers and the address service.
class UpdateServer {
  public:
    UpdateServer();
    bool ok() const { return server_.ok(); }
    const std::string& host() const { return server_.host(); }
    std::string baseUrl() const { return server_.baseUrl(); }
    std::string slowBaseUrl() const { return "http://" + host() + ":8080/game/zrk/"; }

    void Put(const std::string& relative, const std::string& data) const;
    void PutRaw(const std::string& relative, const std::string& answer) const;
    void SetAddressAnswer(const std::string& answer) const;
    void SetSlowRate(long bytesPerSecond) const;
    // Request lines "GET /game/zrk/..." the server answered, in order.
    std::vector<std::string> Requests() const { return server_.LogLines("update"); }
    void ClearRequests() const;

  private:
    DevServerProcess server_;
};

// The install folder with Update.exe and the stub game client.
class InstallFolder {
  public:
    InstallFolder();
    const std::string& path() const { return dir_.path(); }
    std::string operator/(const std::string& relative) const { return dir_ / relative; }

    void Put(const std::string& relative, const std::string& data) const;
    std::string Read(const std::string& relative) const;
    bool Has(const std::string& relative) const;
    // Lines the stub game client wrote, one per start.
    std::vector<std::string> ClientStarts() const;
    // Waits until the game client was started `count` times; false on time-out.
    bool WaitForClientStarts(size_t count, int timeoutMs) const;

    // Starts Update.exe with the update-address hosts; display empty means offscreen.
    // Its standard output goes to stdoutPath().
    void Start(const std::string& hosts, const std::string& display = "");
    // Waits for the started Update.exe; its exit code, or -1 on time-out or a signal.
    int Wait(int timeoutMs);
    std::string stdoutPath() const { return logs_ / "stdout.txt"; }
    std::string Stdout() const;
    // Waits until the standard output holds `count` lines starting with "prompt: ".
    bool WaitForPrompts(size_t count, int timeoutMs) const;

  private:
    TempDir dir_;
    TempDir logs_;
    ChildProcess process_;
};

// Update.exe's own bytes and the stub client's, for serving as newer versions.
std::string UpdaterProgram();
std::string StubClientProgram();

}  // namespace lmn::test
