// The floor of any relay, the baseline the room server is measured against: a byte forwarder
// that knows nothing of packages.
#pragma once

namespace lmn::bench {

// Accepts two connections on listener, sends each the transport's handshake record, then
// relays bytes between them both ways until one side closes: epoll, TCP_NODELAY, one read and
// one write per readiness (one record in flight is one read and one write).
void RunByteForwarder(int listener);

}  // namespace lmn::bench
