// main() of every test binary: the offscreen platform unless one is chosen,
// and one application object for the whole run: a QApplication for the window
// tests (built with SUITE_TEST_WIDGETS), a QGuiApplication for the logic tests.
#ifdef SUITE_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif
#include <QThread>
#include <gtest/gtest.h>

namespace {

// After the last test, let the objects that tests abandoned (timed-out and
// aborted network replies waiting for their deferred delete) go, so the leak
// checker of the sanitizer build sees a clean exit.
class DeferredDeleteDrain : public ::testing::Environment {
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

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new DeferredDeleteDrain);
    return RUN_ALL_TESTS();
}
