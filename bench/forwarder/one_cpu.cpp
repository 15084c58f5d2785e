#include "one_cpu.h"

#include <sched.h>

namespace lmn::bench {

int RunOnOneCpu() {
    const int cpu = sched_getcpu();
    if (cpu < 0) return -1;
    cpu_set_t set;
    CPU_ZERO(&set);
    CPU_SET(cpu, &set);
    return sched_setaffinity(0, sizeof set, &set) == 0 ? cpu : -1;
}

}  // namespace lmn::bench
