// One TCP connection of the engine: its socket, receive state machine, handshake state and
// send blocks. It reports records through its emit function and tells the engine, through the
// return value of each call, when it has to be closed and with which event.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "block_receiver.h"
#include "send_queue.h"

namespace lmn::net {

class NetConnection {
  public:
    // Event code and data of a record or of the handshake's completion.
    using EmitFn = std::function<void(std::int32_t code, std::vector<std::uint8_t> data)>;
    enum class Side { Accepted, Connecting, Connected };

    NetConnection(int fd, Side side, EmitFn emit);
    ~NetConnection();
    NetConnection(const NetConnection&) = delete;
    NetConnection& operator=(const NetConnection&) = delete;

    int fd() const { return fd_; }
    // Whether a whole record (the handshake included) has arrived on it.
    bool receivedRecord() const { return receivedRecord_; }
    // Whether the reactor should report writability: while connecting or while data waits.
    bool wantsWrite() const;
    std::size_t unsentBytes() const { return queue_.unsentBytes(); }

    // Each returns 0 to stay open, or the event code to close the connection with.
    std::int32_t onReadable();
    std::int32_t onWritable();
    // Queues one record; false when the connection is not established (the payload is dropped).
    bool send(std::span<const std::uint8_t> payload, std::uint32_t tagSource, std::int32_t& closeCode);

  private:
    // The outcome of a connect that has become ready: 0 when it succeeded.
    std::int32_t finishConnect();
    std::int32_t sendStep();
    void onRecord(std::span<const std::uint8_t> payloadAndTag);

    int fd_;
    bool connecting_;
    bool established_;
    bool handshakePending_;
    bool writeBlocked_ = false;
    bool receivedRecord_ = false;
    EmitFn emit_;
    BlockReceiver receiver_;
    SendQueue queue_;
};

}  // namespace lmn::net
