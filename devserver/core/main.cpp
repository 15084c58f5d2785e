// devserver: the stand-in game servers on one loopback address.
//   devserver --host=127.0.0.5 [--http-port=80] [--root=DIR] [--www=DIR] [--module-option=value ...]
// Prints "ready <base url>" on standard output once every module has started; runs until
// SIGINT or SIGTERM.
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "module.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;
void OnSignal(int) {
    g_stop = 1;
}

std::string DefaultWww() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    for (auto dir = exe.parent_path(); !dir.empty() && dir != dir.root_path(); dir = dir.parent_path()) {
        if (std::filesystem::exists(dir / "devserver" / "www")) return (dir / "devserver" / "www").string();
        if (std::filesystem::exists(dir / "www")) return (dir / "www").string();
    }
    return "www";
}

}  // namespace

int main(int argc, char** argv) {
    lmn::dev::DevContext ctx;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg.rfind("--", 0) != 0) {
            std::cerr << "devserver: unexpected argument " << arg << "\n";
            return 2;
        }
        auto eq = arg.find('=');
        std::string key = arg.substr(2, eq == std::string::npos ? std::string::npos : eq - 2);
        ctx.options[key] = eq == std::string::npos ? "1" : arg.substr(eq + 1);
    }
    ctx.host = ctx.Option("host", "127.0.0.1");
    ctx.www = ctx.Option("www", DefaultWww());
    ctx.root = ctx.Option("root", std::filesystem::temp_directory_path().string() + "/lmn-devserver-" +
                                      std::to_string(getpid()));
    std::filesystem::create_directories(ctx.root + "/log");

    int httpPort = std::atoi(ctx.Option("http-port", "80").c_str());
    lmn::dev::HttpServer http(ctx.host, static_cast<uint16_t>(httpPort));
    ctx.http = &http;

    // Every request is logged to ROOT/log/http.log as "<peer> <request target>", before any module sees it.
    http.Route("/", [&ctx](const lmn::dev::HttpRequest& req, lmn::dev::HttpResponse&) {
        lmn::dev::LogLine(ctx, "http", req.peer + " " + req.target);
        return false;
    });
    for (auto& [name, module] : lmn::dev::Modules()) {
        if (!module.start(ctx)) {
            std::cerr << "devserver: module " << name << " failed to start\n";
            return 1;
        }
    }
    http.ServeStatic(ctx.www);
    if (!http.Start()) {
        std::cerr << "devserver: cannot listen on " << ctx.host << ":" << httpPort << "\n";
        return 1;
    }
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGPIPE, SIG_IGN);
    std::cout << "ready " << ctx.BaseUrl() << " root=" << ctx.root << std::endl;
    while (!g_stop) pause();
    for (auto& [name, module] : lmn::dev::Modules())
        if (module.stop) module.stop();
    http.Stop();
    return 0;
}
