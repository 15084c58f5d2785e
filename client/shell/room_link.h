// The seam to the room server connection. The transport layer implements it; until then the
// client keeps the room state without a connection.
#pragma once

#include <cstdint>
#include <string>

namespace lmn::shell {

using ConnectionId = std::uint64_t;
inline constexpr ConnectionId kNoConnection = 0;

class RoomLink {
  public:
    virtual ~RoomLink() = default;
    // Starts a connection to address:port; kNoConnection when it cannot even be started.
    virtual ConnectionId Connect(const std::string& address, int port) = 0;
    virtual void Close(ConnectionId connection) = 0;
};

}  // namespace lmn::shell
