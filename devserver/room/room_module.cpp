// The room server as a devserver module: TCP port 20000 (--room-port) on the devserver's
// address, on a thread of its own. Received packages are logged to ROOT/log/room.log.
//
// Options: --ai-pairing=1 pairs a lone player asking for a match with the computer player
// --ai-player-id (default 999). HTTP, for tests and demos (texts are GBK bytes, percent-encoded):
//   /room/notice?text=T[&userid=N]     MSG_SRV_NOTICE to one user or to everyone
//   /room/address_post?userid=N&content=C   MSG_SRV_ADDRESS_POST to one user
// Both answer "ok", or "not connected" when the user has no connection.
#include <future>
#include <memory>
#include <thread>

#include "epoll_reactor.h"
#include "module.h"
#include "room_log_file.h"
#include "room_server.h"
#include "text.h"

namespace lmn::dev {

namespace {

class RoomService {
  public:
    RoomService(const DevContext& ctx, RoomOptions options)
        : log_(ctx.root + "/log/room.log"),
          server_(reactor_, options, [this](const std::string& line) { log_.Write(line); }) {}

    bool Start(const std::string& host, std::uint16_t port) {
        if (!server_.Listen(host, port)) return false;
        thread_ = std::thread([this] { reactor_.run(); });
        return true;
    }

    void Stop() {
        if (!thread_.joinable()) return;
        reactor_.stop();
        thread_.join();
    }

    // Runs work on the server's thread and waits for its answer.
    bool Call(std::function<bool(RoomServer&)> work) {
        auto done = std::make_shared<std::promise<bool>>();
        auto answer = done->get_future();
        reactor_.post([this, work = std::move(work), done] { done->set_value(work(server_)); });
        return answer.wait_for(std::chrono::seconds(5)) == std::future_status::ready && answer.get();
    }

  private:
    RoomLogFile log_;
    net::EpollReactor reactor_;
    RoomServer server_;
    std::thread thread_;
};

std::unique_ptr<RoomService> g_service;

void Answer(HttpResponse& res, bool ok) {
    res.contentType = "text/plain; charset=gbk";
    res.body = ok ? "ok" : "not connected";
}

bool Start(DevContext& ctx) {
    RoomOptions options;
    options.aiPairing = ctx.Option("ai-pairing", "0") == "1";
    options.aiPlayerId = AtoI(ctx.Option("ai-player-id", "999"));
    g_service = std::make_unique<RoomService>(ctx, options);
    auto port = static_cast<std::uint16_t>(AtoI(ctx.Option("room-port", "20000")));
    if (!g_service->Start(ctx.host, port)) return false;

    ctx.http->Route("/room/notice", [](const HttpRequest& req, HttpResponse& res) {
        std::int32_t user = AtoI(req.Param("userid"));
        std::string text = req.Param("text");
        Answer(res, g_service->Call([=](RoomServer& s) { return s.SendNotice(user, text); }));
        return true;
    });
    ctx.http->Route("/room/address_post", [](const HttpRequest& req, HttpResponse& res) {
        std::int32_t user = AtoI(req.Param("userid"));
        std::string content = req.Param("content");
        Answer(res, g_service->Call([=](RoomServer& s) { return s.PostAddress(user, content); }));
        return true;
    });
    return true;
}

void Stop() {
    if (g_service) g_service->Stop();
}

const bool registered = RegisterModule({"room", Start, Stop});

}  // namespace

}  // namespace lmn::dev
