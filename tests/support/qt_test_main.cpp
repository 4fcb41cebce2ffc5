#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <csignal>
#include <cstdlib>

namespace {

// A test that makes the program quit (the restart after a language switch does) while no
// event loop runs leaves the quit behind in the toolkit: every later loop, such as a dialog's
// exec, would then end before it starts, and the next test would see no dialog at all. The
// application's own loop clears it when it starts and when it ends, so run it once.
class clear_pending_quit : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo &) override
    {
        QEventLoop probe;
        QTimer::singleShot(0, &probe, [&probe] { probe.exit(0); });
        if (probe.exec() != -1) return;
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
    }
};

} // namespace

int main(int argc, char **argv)
{
    std::signal(SIGPIPE, SIG_IGN);
    // Widget tests run without a display unless the caller chose a platform.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new clear_pending_quit);
    return RUN_ALL_TESTS();
}
