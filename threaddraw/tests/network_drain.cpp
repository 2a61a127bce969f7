// After the last test, let the network objects that the tests abandoned
// (timed-out and aborted replies waiting for their deferred delete) go, so
// the leak checker of the sanitizer build sees a clean exit.
#include <QCoreApplication>
#include <QEvent>
#include <QThread>
#include <gtest/gtest.h>

namespace {

class NetworkDrain : public ::testing::Environment {
public:
    void TearDown() override
    {
        for (int i = 0; i < 20; ++i) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            QThread::msleep(2);
        }
    }
};

const auto* const kDrain = ::testing::AddGlobalTestEnvironment(new NetworkDrain);

}  // namespace
