#include "platform/testing/program_run.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

namespace testing_support {

namespace {

QWidget* visibleWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->isWindow())
            return w;
    return nullptr;
}

}  // namespace

qint64 msFromCloseToEnd(const std::function<int()>& run, const std::function<void(QWidget*)>& during,
                        int closeAfterMs)
{
    QObject scope;  // the timers below die with this call
    QElapsedTimer sinceClose;
    bool forced = false;
    if (during) {
        QTimer::singleShot(100, &scope, [&] {
            if (QWidget* w = visibleWindow())
                during(w);
        });
    }
    QTimer::singleShot(closeAfterMs, &scope, [&] {
        if (QWidget* w = visibleWindow()) {
            sinceClose.start();
            w->close();
        }
    });
    QTimer::singleShot(closeAfterMs + 15000, &scope, [&] {
        forced = true;
        QApplication::exit(1);
    });
    const int code = run();
    EXPECT_FALSE(forced) << "the program did not end after its window was closed";
    EXPECT_EQ(code, 0);
    return sinceClose.isValid() ? sinceClose.elapsed() : -1;
}

}  // namespace testing_support
