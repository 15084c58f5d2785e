#include "module.h"

#include <fstream>
#include <mutex>

namespace lmn::dev {

std::string DevContext::Option(const std::string& key, const std::string& def) const {
    auto it = options.find(key);
    return it == options.end() ? def : it->second;
}

std::string DevContext::BaseUrl() const {
    std::string port = Option("http-port", "80");
    return "http://" + host + (port == "80" ? "" : ":" + port) + "/game/zrk/";
}

std::map<std::string, Module>& Modules() {
    static std::map<std::string, Module> modules;
    return modules;
}

bool RegisterModule(Module module) {
    std::string name = module.name;
    Modules()[name] = std::move(module);
    return true;
}

void LogLine(const DevContext& ctx, const std::string& name, const std::string& line) {
    static std::mutex mutex;
    std::lock_guard lock(mutex);
    std::ofstream out(ctx.root + "/log/" + name + ".log", std::ios::app | std::ios::binary);
    out << line << '\n';
}

}  // namespace lmn::dev
