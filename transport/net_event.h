// What the transport reports to its owner, one event at a time on the owner's thread.
#pragma once

#include <cstdint>
#include <vector>

namespace lmn::net {

// Identifies one connection for the life of the engine; handles are never reused. 0 is none.
using ConnectionHandle = std::uint64_t;

inline constexpr std::int32_t NET_DATA = 1;            // one record's payload arrived (+ 4-byte tag)
inline constexpr std::int32_t NET_CLOSED = 2;          // peer closed or reset, or the stream was malformed
inline constexpr std::int32_t NET_ERROR = 3;           // a receive or send failed
inline constexpr std::int32_t NET_CONNECT_FAILED = 4;  // an outgoing connection could not be made
inline constexpr std::int32_t NET_CONNECTED = 5;       // an outgoing connection got its handshake

// After NET_CLOSED, NET_ERROR and NET_CONNECT_FAILED the connection is already gone; the
// handle only serves to be compared with the handles the owner keeps.
struct NetEvent {
    std::int32_t code = 0;
    ConnectionHandle handle = 0;
    // NET_DATA: the payload followed by the record's 4-byte tag copy; empty otherwise.
    std::vector<std::uint8_t> data;
};

class NetEventSink {
  public:
    virtual ~NetEventSink() = default;
    // Never called from inside a transport call: events are delivered after the notification
    // that produced them has returned, so the sink may call the engine freely.
    virtual void onNetEvent(NetEvent event) = 0;
};

}  // namespace lmn::net
