// The stand-in servers are modules that register themselves; the devserver program starts
// every module linked into it. A module folder is one library linked whole into devserver.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "http_server.h"

namespace lmn::dev {

struct DevContext {
    std::string host;  // loopback address every server binds to, e.g. "127.0.0.5"
    std::string root;  // writable folder for the servers' files (update tree, uploads, logs)
    std::string www;   // folder of the static pages (www/game/zrk/...)
    std::map<std::string, std::string> options;  // every --key=value of the command line
    HttpServer* http = nullptr;

    std::string Option(const std::string& key, const std::string& def = "") const;
    // "http://HOST[:PORT]/game/zrk/"
    std::string BaseUrl() const;
};

struct Module {
    std::string name;
    // Adds routes and starts the module's own servers; false stops devserver with an error.
    std::function<bool(DevContext&)> start;
    std::function<void()> stop;
};

// Called from a static initialiser in each module's source file.
bool RegisterModule(Module module);
std::map<std::string, Module>& Modules();

// Appends a line to ROOT/log/<name>.log (thread-safe), so tests can assert on what a server saw.
void LogLine(const DevContext& ctx, const std::string& name, const std::string& line);

}  // namespace lmn::dev
