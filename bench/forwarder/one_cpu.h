// Keeps a relay benchmark on one CPU. On a machine of two or more CPUs, a relay woken on another
// CPU than its sender pays that CPU's wake-up (about 60 us on this VM against a relay's 10 us of
// work), and which relay pays it depends only on where the scheduler puts it: every thread and
// process of the run shares one CPU instead, so the rows compare the relays' own work.
#pragma once

namespace lmn::bench {

// Binds the calling thread to the CPU it runs on; threads and processes it starts afterwards
// inherit the binding. The CPU's number, or -1 when it could not be bound.
int RunOnOneCpu();

}  // namespace lmn::bench
