// Drives a program through its main path: run() shows the window and runs
// the event loop; the test acts on the window from inside that loop and then
// closes it, as a user would, and sees how long the program takes to end.
#pragma once

#include <QWidget>
#include <functional>

namespace testing_support {

// Calls run(). 100 ms after the event loop starts, during(window) runs with
// the program's visible top-level window (it may start a wait of its own);
// at closeAfterMs the window is closed. Returns the milliseconds from the
// close until run() returned, or -1 when no window was there to close. A run
// that has not ended 15 s after the close is ended and fails the test.
qint64 msFromCloseToEnd(const std::function<int()>& run, const std::function<void(QWidget*)>& during,
                        int closeAfterMs);

}  // namespace testing_support
