// Waiting for a forked child process of a test, with an end to the wait.
#pragma once

#include <sys/resource.h>
#include <sys/types.h>

namespace testing_support {

// Waits for the child to end and gives its status; a child still running
// after 60 s is killed and false returned.
bool waitForChild(pid_t child, int& status);

// For a child: limits its address space to what it uses now and that many
// bytes more; false when that cannot be done.
bool limitAddressSpace(rlim_t more);

}  // namespace testing_support
