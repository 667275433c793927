// Start-up probe: builds Tallivox's window, a bare main window of the same
// size, that bare window with one line of text, or with a menu bar too (the
// Windows build's yardstick); shows it, and once the
// first paint has gone out prints the steady clock in nanoseconds and the
// painted area's width and height, and quits. The harness reads the clock
// against the moment it started the process, and hands Tallivox's size to
// the bare variants (startup_bare WIDTH HEIGHT). All variants are this one
// file, so they differ only in the window they build.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#ifdef PROBE_FORM1
#include "app/application.h"
#include "app/program.h"
#endif

namespace {

class FirstPaint final : public QObject {
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            const QSize size = static_cast<QWidget *>(watched)->size();
            // Queued, so the painted frame is flushed to the screen first.
            QTimer::singleShot(0, [size] {
                const auto now = std::chrono::steady_clock::now().time_since_epoch();
                std::printf("%lld %d %d\n", static_cast<long long>(std::chrono::nanoseconds(now).count()),
                            size.width(), size.height());
                std::fflush(stdout);
                QApplication::quit();
            });
        }
        return false;
    }

private:
    bool seen_ = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    FirstPaint probe;
#ifdef PROBE_FORM1
    // Started as the program starts.
    tallivox::describeApplication();
    tallivox::Program program;
    QMainWindow &window = program.window();
#else
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s WIDTH HEIGHT\n", argv[0]);
        return 2;
    }
    QMainWindow window;
    window.setCentralWidget(new QWidget);
    window.resize(std::atoi(argv[1]), std::atoi(argv[2]));
#if defined(PROBE_ONE_LABEL) || defined(PROBE_MENU_AND_LABEL)
    // Any text at all makes Qt load the system's font configuration; this
    // variant shows what that alone costs.
    new QLabel(QStringLiteral("Tallivox"), window.centralWidget());
#endif
#ifdef PROBE_MENU_AND_LABEL
    window.menuBar()->addAction(QStringLiteral("About"));
#endif
#endif
    window.centralWidget()->installEventFilter(&probe);
    window.show();
    return QApplication::exec();
}
