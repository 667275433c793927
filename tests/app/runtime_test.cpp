#include "app/form1.h"
#include "app/runtime.h"
#include "gui_test.h"

#include <QAction>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProxyStyle>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextLayout>
#include <QWindow>

using namespace tallivox;

namespace {

QLabel *textOf(QDialog *box)
{
    return box->findChild<QLabel *>(QStringLiteral("messageText"));
}

QPushButton *okOf(QDialog *box)
{
    return box->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
}

// Answers every real box as it opens, however long a slow machine takes to
// show it: look first, then dismiss it the way the test asks.
class BoxAnswerer final : public QObject {
public:
    explicit BoxAnswerer(std::function<void(QDialog *)> answer) : answer_(std::move(answer))
    {
        connect(&timer_, &QTimer::timeout, this, [this] {
            auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (box && box != last_) {
                last_ = box;
                answer_(box);
            }
        });
        timer_.start(5);
    }

private:
    std::function<void(QDialog *)> answer_;
    QTimer timer_;
    QPointer<QDialog> last_;
};

} // namespace

// A style that puts stock icons on dialog buttons, as some desktops' do.
class IconsOnButtons final : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *data) const override
    {
        return hint == SH_DialogButtonBox_ButtonsHaveIcons || QProxyStyle::styleHint(hint, option, widget, data);
    }
};

// The real boxes, not the recording stand-in.
class RuntimeTest : public QObject {
    Q_OBJECT

private:
    test::ModalWatchdog watchdog;
    QtRuntime runtime;

private slots:
    void initTestCase() { QApplication::setStyle(new IconsOnButtons); }
    void cleanup() { QCOMPARE(watchdog.takeStrays(), QStringList()); }

    void boxLooksLikeAMessageBox()
    {
        const QString text = QString::fromUtf16(u" \u0633\u0627\u0632\u0646\u062F\u0647 : Orvandel ");
        bool looked = false;
        BoxAnswerer answer([&](QDialog *box) {
            looked = true;
            QCOMPARE(box->windowTitle(), QStringLiteral("Tallivox"));
            QCOMPARE(box->windowModality(), Qt::ApplicationModal);
            QLabel *label = textOf(box);
            QCOMPARE(QTextDocumentFragment::fromHtml(label->text()).toPlainText(), text);
            QCOMPARE(box->findChild<QDialogButtonBox *>()->standardButtons(), QDialogButtonBox::Ok);
            QVERIFY(okOf(box)->icon().isNull());
            for (const QLabel *any : box->findChildren<QLabel *>())
                QVERIFY(any->pixmap().isNull());

            // Left to right: the Latin name stands right of the Persian run.
            const QTextLine line = label->findChild<QTextDocument *>()->firstBlock().layout()->lineAt(0);
            QVERIFY(line.cursorToX(int(text.indexOf(QLatin1StringView("Orvandel")))) > line.cursorToX(1));

            const Qt::WindowFlags flags = box->windowFlags();
            QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
            QVERIFY(!flags.testAnyFlags(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
            QCOMPARE(box->minimumSize(), box->maximumSize());
            okOf(box)->click();
        });
        runtime.messageBox(text);
        QVERIFY(looked);
    }

    // Even a one-digit result leaves room for the title in full beside a
    // window icon and up to three title-bar buttons, each about as wide as
    // the bar is tall.
    void boxShowsItsWholeTitle()
    {
        int width = 0;
        BoxAnswerer answer([&](QDialog *box) {
            width = box->width();
            okOf(box)->click();
        });
        runtime.messageBox(QStringLiteral("4"));
        const int title = QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance("Tallivox");
        const int bar = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
        QVERIFY(width >= title + 4 * bar);
    }

    void errorBoxNamesNumberAndDescription()
    {
        QString shown;
        BoxAnswerer answer([&](QDialog *box) {
            shown = QTextDocumentFragment::fromHtml(textOf(box)->text()).toPlainText();
            QTest::keyClick(box, Qt::Key_Escape);
        });
        runtime.runTimeErrorBox(11, QStringLiteral("Division by zero"));
        QCOMPARE(shown, QStringLiteral("Run-time error '11':\n\nDivision by zero"));
    }

    void boxTextCanBeCopied_data()
    {
        QTest::addColumn<int>("selectFrom");
        QTest::addColumn<QString>("copied");
        QTest::newRow("nothing selected copies it all") << -1 << "-32768";
        QTest::newRow("a selection copies just that") << 1 << "327";
    }

    void boxTextCanBeCopied()
    {
        QFETCH(int, selectFrom);
        QFETCH(QString, copied);
        QApplication::clipboard()->clear();
        BoxAnswerer answer([&](QDialog *box) {
            if (selectFrom >= 0)
                textOf(box)->setSelection(selectFrom, 3);
            QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
            QTest::keyClick(box, Qt::Key_Return);
        });
        runtime.messageBox(QStringLiteral("-32768"));
        QCOMPARE(QApplication::clipboard()->text(), copied);
    }

    // Every box belongs to the window and opens centred over it, also the
    // second and third credits, when no window is active between boxes.
    void everyBoxBelongsToTheWindow()
    {
        Form1 window(runtime);
        runtime.setOwner(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        int boxes = 0;
        BoxAnswerer answer([&](QDialog *box) {
            ++boxes;
            QCOMPARE(box->parentWidget(), &window);
            QCOMPARE(box->windowHandle()->transientParent(), window.windowHandle());
            const QPoint offset = box->frameGeometry().center() - window.frameGeometry().center();
            QVERIFY2(offset.manhattanLength() <= 4, qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
            okOf(box)->click();
        });
        window.About->trigger();
        QCOMPARE(boxes, 3);
    }

    void exitEndsHoweverTheFarewellIsDismissed_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("OK button") << 0;
        QTest::newRow("Escape key") << 1;
        QTest::newRow("window closed") << 2;
    }

    void exitEndsHoweverTheFarewellIsDismissed()
    {
        QFETCH(int, way);
        Form1 window(runtime);
        runtime.setOwner(&window);
        window.show();
        BoxAnswerer answer([way](QDialog *box) {
            if (way == 0)
                okOf(box)->click();
            else if (way == 1)
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->close();
        });
        QTimer::singleShot(0, &window, [&window] { window.Exit->trigger(); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!window.isVisible());
    }
};

TALLIVOX_GUI_TEST_MAIN(RuntimeTest)
#include "runtime_test.moc"
