// The stand-in room server: accepts game clients on TCP (the framed stream of the transport,
// handshake first), keeps who is in which room, forwards invitations, help requests and chat,
// answers user lists, and hands match work to MatchService. Runs on one reactor thread.
//
// User infos in list packages are "<id>,<name>"; match infos "<id1>,<id2>,<name1>,<name2>".
// Every received package is logged as "recv user=<id> <NAME> <fields...>".
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "match_service.h"
#include "net_engine.h"
#include "outbox.h"
#include "package_reader.h"
#include "reactor.h"
#include "room_directory.h"
#include "room_options.h"

namespace lmn::dev {

class RoomServer : public net::NetEventSink {
  public:
    RoomServer(net::Reactor& reactor, RoomOptions options, RoomLog log);

    bool Listen(const std::string& address, std::uint16_t port);
    void onNetEvent(net::NetEvent event) override;

    // MSG_SRV_NOTICE to one user, or to everyone connected when userId is 0. False when the
    // user is not connected.
    bool SendNotice(std::int32_t userId, const std::string& text);
    // MSG_SRV_ADDRESS_POST to one user.
    bool PostAddress(std::int32_t userId, const std::string& content);

  private:
    void OnPackage(Session& session, std::span<const std::uint8_t> package);
    void Dispatch(Session& session, net::PackageReader& reader, std::span<const std::uint8_t> package);
    void Login(Session& session, net::PackageReader& reader);
    void EnterRoom(Session& session, std::int32_t roomId);
    void LeaveRoom(Session& session);
    void SendUserList(const Session& session, std::int32_t roomId);
    void Chat(const Session& session, const std::string& content);
    void Invite(const Session& session, net::PackageReader& reader, std::span<const std::uint8_t> package);
    void Forward(std::int32_t userId, std::span<const std::uint8_t> package);
    void Closed(net::ConnectionHandle handle);
    bool LoggedIn(const Session& session, const char* what);

    RoomOptions options_;
    RoomLog log_;
    RoomDirectory directory_;
    net::NetEngine engine_;
    Outbox outbox_;
    MatchService matches_;
};

}  // namespace lmn::dev
