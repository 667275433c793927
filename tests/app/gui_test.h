#pragma once

#include "app/form1.h"
#include "app/runtime.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace tallivox::test {

// Stands in for the real runtime: every box and the end of the program become
// one line in a log, so a test reads what the user would have seen, in order.
class RecordingRuntime final : public Runtime {
public:
    void messageBox(const QString &text) override { log << QStringLiteral("box: ") + text; }
    void runTimeErrorBox(int number, const QString &description) override
    {
        log << QStringLiteral("error %1: %2").arg(number).arg(description);
    }
    void endProgram() override { log << QStringLiteral("end"); }

    QStringList log;
};

// Fails fast instead of hanging: any modal window that stays open longer than
// a test could need is rejected and remembered, so the test that opened it
// fails in cleanup() rather than blocking the run forever.
class ModalWatchdog final : public QObject {
public:
    explicit ModalWatchdog(int graceMs = 2000) : graceMs_(graceMs)
    {
        connect(&timer_, &QTimer::timeout, this, &ModalWatchdog::check);
        timer_.start(50);
    }

    QStringList takeStrays() { return std::exchange(strays_, {}); }

private:
    void check()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal != seen_) {
            seen_ = modal;
            since_.start();
            return;
        }
        if (!modal || since_.elapsed() < graceMs_)
            return;
        strays_ << modal->windowTitle();
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
    }

    int graceMs_;
    QTimer timer_;
    QPointer<QWidget> seen_;
    QElapsedTimer since_;
    QStringList strays_;
};

// The offscreen platform warns about every window it cannot size-hint; that
// noise would bury the messages that matter. Call it from initTestCase(),
// after QTest has put its own handler in place.
inline void quietOffscreenNoise()
{
    static const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext &context, const QString &message) {
            if (!message.contains(QLatin1StringView("does not support propagateSizeHints")))
                previous(type, context, message);
        });
}

// Base of the tests that drive a Form1: a fresh window on the recording
// runtime, shown and active, for every test function; cleanup() fails the
// test if the watchdog had to reject a modal box.
class FormTestCase : public QObject {
    Q_OBJECT

protected:
    QList<QLineEdit *> boxes() const
    {
        return {form->Text1, form->Text2, form->Text3, form->Text4,
                form->Text5, form->Text6, form->Text7, form->Text8};
    }

    RecordingRuntime runtime;
    ModalWatchdog watchdog;
    std::unique_ptr<Form1> form;

private slots:
    void initTestCase() { quietOffscreenNoise(); }

    void init()
    {
        runtime.log.clear();
        form = std::make_unique<Form1>(runtime);
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }

    void cleanup()
    {
        form.reset();
        QCOMPARE(watchdog.takeStrays(), QStringList());
    }
};

inline QString fromCodePoints(std::initializer_list<char32_t> codePoints)
{
    QString text;
    for (const char32_t c : codePoints)
        text += QString::fromUcs4(&c, 1);
    return text;
}

} // namespace tallivox::test

// GUI tests always run on the offscreen platform: no display needed, and
// nothing pops up on a developer's screen.
#define TALLIVOX_GUI_TEST_MAIN(TestClass)                     \
    int main(int argc, char *argv[])                          \
    {                                                         \
        qputenv("QT_QPA_PLATFORM", "offscreen");              \
        QApplication app(argc, argv);                         \
        TestClass test;                                       \
        return QTest::qExec(&test, argc, argv);               \
    }
