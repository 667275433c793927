#pragma once

#include "app/form1.h"
#include "app/runtime.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace tallivox::test {

// Stands in for the real runtime: every box and the end of the program become
// one line in a log, so a test reads what the user would have seen, in order.
struct RecordingRuntime final : Runtime {
    void messageBox(const QString &text) override { log << "box: " + text; }
    void runTimeErrorBox(int number, const QString &text) override { log << QStringLiteral("error %1: %2").arg(number).arg(text); }
    void endProgram() override { log << "end"; }
    QStringList log;
};

// Fails fast instead of hanging: a modal box left open for two seconds is
// closed and remembered, and the test that opened it fails in cleanup().
class ModalWatchdog final : public QObject {
public:
    ModalWatchdog()
    {
        connect(&timer_, &QTimer::timeout, this, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (modal != seen_)
                seen_ = modal, since_.start();
            else if (modal && since_.elapsed() > 2000)
                strays << modal->windowTitle(), modal->close();
        });
        timer_.start(50);
    }

    QStringList strays;

private:
    QTimer timer_;
    QPointer<QWidget> seen_;
    QElapsedTimer since_;
};

// A fresh window on the recording runtime, shown and active, for each test.
class FormTestCase : public QObject {
    Q_OBJECT

protected:
    QList<QLineEdit *> boxes() const
    {
        return {form->Text1, form->Text2, form->Text3, form->Text4, form->Text5, form->Text6, form->Text7, form->Text8};
    }

    RecordingRuntime runtime;
    ModalWatchdog watchdog;
    std::unique_ptr<Form1> form;

private slots:
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
        QCOMPARE(std::exchange(watchdog.strays, {}), QStringList());
    }
};

} // namespace tallivox::test

// Offscreen unless told otherwise (under Wine the suites run on the Windows
// platform): no display needed, and nothing pops up on a developer's screen.
#define TALLIVOX_GUI_TEST_MAIN(TestClass)                  \
    int main(int argc, char *argv[])                       \
    {                                                      \
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) \
            qputenv("QT_QPA_PLATFORM", "offscreen");       \
        QApplication app(argc, argv);                      \
        TestClass test;                                    \
        return QTest::qExec(&test, argc, argv);            \
    }
