// Start-up and shut-down of the framework: they manage the node pool.
#pragma once

#include <cstdint>

enum FrameworkFlags : uint32_t {
    PrimeNodePool = 1,  // allocate nodePoolInitial nodes up front
};

// False (with OutOfMemory recorded) only when priming the pool fails.
bool frameworkStartup(uint32_t flags);
void frameworkShutdown();
