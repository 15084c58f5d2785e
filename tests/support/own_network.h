// Moves the calling thread, and every process it starts afterwards, into a network of its own
// with only a loopback interface: fixed ports (the client's direct-play port) are then free
// whatever else runs on this machine.
#pragma once

namespace lmn::test {

// False when this process may not make a network namespace (not root).
bool EnterOwnNetwork();

}  // namespace lmn::test
