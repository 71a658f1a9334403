#include "foundation/framework.h"

#include "foundation/errors.h"
#include "foundation/list.h"

bool frameworkStartup(uint32_t flags) {
    if ((flags & PrimeNodePool) == 0)
        return true;
    if (growNodePool(nodePoolInitial))
        return true;
    setLastError(OutOfMemory);
    frameworkShutdown();
    return false;
}

void frameworkShutdown() {
    freeNodePool();
}
