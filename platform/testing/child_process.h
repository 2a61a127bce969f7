// Waiting for a forked child process of a test, with an end to the wait.
#pragma once

#include <sys/resource.h>
#include <sys/types.h>

namespace testing_support {

// Waits for the child to end and gives its status; a child still running
// after 60 s is killed and false returned.
bool waitForChild(pid_t child, int& status);

// Bytes of address space the process uses now (0 when unknown): the base
// for an address-space limit a child sets itself.
rlim_t addressSpaceInUse();

}  // namespace testing_support
