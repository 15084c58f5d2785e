// A scripted game client for room server tests: its own engine and reactor, a connection to
// the room server (or to a game client's direct-play port), and an inbox of the packages that
// arrived. Every arriving package must be one the catalogue lets the other side write, laid out
// exactly as the catalogue says.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <string>
#include <vector>

#include "epoll_reactor.h"
#include "loopback.h"
#include "message_types.h"
#include "net_engine.h"
#include "package_fields.h"
#include "package_reader.h"
#include "package_writer.h"

namespace lmn::test {

class ScriptedClient : public net::NetEventSink {
  public:
    using Package = std::vector<std::uint8_t>;

    // from: who writes what arrives, the room server or, on a direct connection, a game client.
    explicit ScriptedClient(const std::string& host, std::uint16_t port = 20000,
                            net::Sender from = net::Sender::kServer)
        : from_(from) {
        handle_ = engine_.connect(host, port);
        RunUntil(reactor_, [&] { return connected_ || closed_; });
    }

    bool connected() const { return connected_ && !closed_; }
    bool closed() const { return closed_; }

    void onNetEvent(net::NetEvent event) override {
        if (event.code == net::NET_CONNECTED) connected_ = true;
        if (event.code == net::NET_CLOSED || event.code == net::NET_ERROR ||
            event.code == net::NET_CONNECT_FAILED)
            closed_ = true;
        if (event.code != net::NET_DATA) return;
        inbox_.emplace_back(event.data.begin(), event.data.end() - 4);
        CheckAgainstCatalogue(inbox_.back());
    }

    bool Send(net::PackageWriter& package) { return engine_.send(handle_, package); }
    bool SendRaw(const Package& bytes) { return engine_.send(handle_, bytes); }

    void Login(std::int32_t id, const std::string& name, std::int32_t room) {
        net::PackageWriter login(net::MSG_SRV_LOGIN);
        login.int32(id).string(name).int32(room).int32(1).string("area one").string("http://dev/game/zrk/");
        Send(login);
    }

    // The first unread package of the type, waiting up to timeoutMs; empty when none came.
    Package Next(std::int32_t type, int timeoutMs = 3000) {
        Package found;
        if (!RunUntil(
                reactor_, [&] { return Take(type, found); }, timeoutMs))
            ADD_FAILURE() << "no " << net::MessageName(type) << " arrived";
        return found;
    }

    // Whether a package of the type arrives within timeoutMs (it stays unread).
    bool Receives(std::int32_t type, int timeoutMs = 300) {
        Package found;
        bool got = RunUntil(
            reactor_, [&] { return Take(type, found); }, timeoutMs);
        if (got) inbox_.push_front(found);
        return got;
    }

    void Pump(int ms) {
        RunUntil(
            reactor_, [] { return false; }, ms);
    }
    void Disconnect() { engine_.close(handle_); }

  private:
    void CheckAgainstCatalogue(const Package& package) const {
        const net::MessageInfo* message = net::FindMessage(net::PackageReader(package).type());
        if (!message) {
            ADD_FAILURE() << "a package of type " << net::PackageReader(package).type()
                          << " outside the catalogue";
            return;
        }
        if (message->layout(from_) == net::kNotWritten) {
            ADD_FAILURE() << message->name << " arrived from a side that never writes it";
            return;
        }
        net::PackageFields fields = net::ReadFields(package, from_);
        EXPECT_TRUE(fields.error.empty()) << message->name << ": " << fields.error;
        EXPECT_EQ(fields.unread, 0u) << message->name << " carries bytes after its fields";
    }

    bool Take(std::int32_t type, Package& out) {
        for (auto it = inbox_.begin(); it != inbox_.end(); ++it) {
            if (net::PackageReader(*it).type() == type) {
                out = *it;
                inbox_.erase(it);
                return true;
            }
        }
        return false;
    }

    net::Sender from_;
    net::EpollReactor reactor_;
    net::NetEngine engine_{reactor_, *this};
    net::ConnectionHandle handle_ = 0;
    bool connected_ = false;
    bool closed_ = false;
    std::deque<Package> inbox_;
};

// A package's fields as texts, read by the layout the catalogue gives its sender.
inline std::vector<std::string> Fields(const std::vector<std::uint8_t>& package,
                                       net::Sender from = net::Sender::kServer) {
    return net::ReadFields(package, from).values;
}

}  // namespace lmn::test
