// Sends the room server's packages to a connection, a user or a whole room.
#pragma once

#include <cstdint>
#include <span>

#include "net_engine.h"
#include "package_writer.h"
#include "room_directory.h"

namespace lmn::dev {

class Outbox {
  public:
    Outbox(net::NetEngine& engine, RoomDirectory& directory) : engine_(engine), directory_(directory) {}

    bool ToHandle(net::ConnectionHandle handle, net::PackageWriter& package);
    // False when the user is not connected.
    bool ToUser(std::int32_t userId, net::PackageWriter& package);
    // Forwards a received package unchanged.
    bool RawToUser(std::int32_t userId, std::span<const std::uint8_t> package);
    void ToRoom(std::int32_t roomId, net::PackageWriter& package, net::ConnectionHandle except = 0);

  private:
    net::NetEngine& engine_;
    RoomDirectory& directory_;
};

}  // namespace lmn::dev
