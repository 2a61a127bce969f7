// Cases that need file permissions to bite, although the tests run as root:
// the case runs in a child process that has become the user "nobody".
#pragma once

#include <QString>
#include <functional>

namespace testing_support {

// Makes a file or folder belong to the user the child runs as, so that it
// may write there; false when that cannot be done.
bool giveToChild(const QString& path);

// Runs body in a forked child process as the user "nobody" (or as the
// current user when the tests do not run as root) and returns its exit
// code; -1 when no such child can be had, so the caller skips the case. A
// child that has not ended after 60 s is killed and gives -2. Body must not
// touch the test framework: it reports through its return value.
int exitCodeAsNobody(const std::function<int()>& body);

}  // namespace testing_support
