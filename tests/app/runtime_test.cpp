#include "gui_test.h"

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProxyStyle>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextLayout>

using namespace tallivox;

namespace {

QLabel *label(QDialog *box) { return box->findChild<QLabel *>(QStringLiteral("messageText")); }
QString text(QDialog *box) { return QTextDocumentFragment::fromHtml(label(box)->text()).toPlainText(); }
QPushButton *ok(QDialog *box) { return box->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok); }

// Answers every real box once it is open and active, however long a slow
// machine or a window manager takes: looks first, then dismisses it.
class BoxAnswerer final : public QObject {
public:
    explicit BoxAnswerer(std::function<void(QDialog *)> answer)
    {
        connect(&timer_, &QTimer::timeout, this, [this, answer] {
            auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (box && box != last_ && box->isActiveWindow())
                last_ = box, answer(box);
        });
        timer_.start(5);
    }

private:
    QTimer timer_;
    QPointer<QDialog> last_;
};

// A style that puts stock icons on dialog buttons, as some desktops' do.
class IconsOnButtons final : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *data) const override
    {
        return hint == SH_DialogButtonBox_ButtonsHaveIcons || QProxyStyle::styleHint(hint, option, widget, data);
    }
};

} // namespace

// The real boxes, not the recording stand-in.
class RuntimeTest : public QObject {
    Q_OBJECT

    test::ModalWatchdog watchdog;
    QtRuntime runtime;

private slots:
    void initTestCase() { QApplication::setStyle(new IconsOnButtons); }
    void cleanup() { QCOMPARE(std::exchange(watchdog.strays, {}), QStringList()); }

    // Title, text laid out left to right, one plain OK, no icon, a close
    // button only, a fixed size; even a one-digit result leaves room for the
    // title beside a window icon and three buttons as wide as the bar is tall.
    void boxLooksLikeAMessageBox()
    {
        const QString shown = QString::fromUtf16(u" سازنده : Orvandel ");
        QList<int> widths;
        BoxAnswerer answer([&](QDialog *box) {
            QCOMPARE(box->windowTitle(), QStringLiteral("Tallivox"));
            QCOMPARE(box->windowModality(), Qt::ApplicationModal);
            QCOMPARE(box->findChild<QDialogButtonBox *>()->standardButtons(), QDialogButtonBox::Ok);
            QVERIFY(ok(box)->icon().isNull() && label(box)->pixmap().isNull());
            QVERIFY(std::abs(ok(box)->mapTo(box, ok(box)->rect().center()).x() - box->rect().center().x()) <= 1);
            QVERIFY(!box->windowFlags().testAnyFlags(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
            QVERIFY(box->windowFlags().testFlag(Qt::WindowCloseButtonHint) && box->minimumSize() == box->maximumSize());
            if (text(box) == shown) { // the Latin name stands right of the Persian run
                const QTextLine line = label(box)->findChild<QTextDocument *>()->firstBlock().layout()->lineAt(0);
                QVERIFY(line.cursorToX(int(shown.indexOf(QLatin1StringView("Orvandel")))) > line.cursorToX(1));
            }
            widths << box->width();
            ok(box)->click();
        });
        runtime.messageBox(shown);
        runtime.messageBox(QStringLiteral("4"));
        QCOMPARE(widths.size(), 2);
        const int title = QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance("Tallivox");
        QVERIFY(widths[1] >= title + 4 * QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight));
    }

    // Ctrl+C copies just the selection (the end-to-end run copies whole boxes).
    void selectionCanBeCopied()
    {
        BoxAnswerer answer([](QDialog *box) {
            box->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(box));
            label(box)->setSelection(1, 3);
            QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
            QTest::keyClick(box, Qt::Key_Return);
        });
        runtime.messageBox(QStringLiteral("-32768"));
        QTRY_COMPARE(QApplication::clipboard()->text(), QStringLiteral("327"));
    }

    // By the OK button, by Escape or by closing the box: it ends with 0.
    void exitEndsHoweverTheFarewellIsDismissed()
    {
        for (int way = 0; way < 3; ++way) {
            Form1 window(runtime);
            runtime.setOwner(&window);
            window.show();
            BoxAnswerer answer([way](QDialog *box) {
                way == 0 ? ok(box)->click() : way == 1 ? QTest::keyClick(box, Qt::Key_Escape) : void(box->close());
            });
            QTimer::singleShot(0, &window, [&window] { window.Exit->trigger(); });
            QCOMPARE(QApplication::exec(), 0);
            QVERIFY(!window.isVisible());
        }
    }
};

TALLIVOX_GUI_TEST_MAIN(RuntimeTest)
#include "runtime_test.moc"
