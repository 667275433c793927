#include "app/runtime.h"
#include "gui_test.h"

#include <QAccessible>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextLayout>

#include <functional>

using namespace tallivox;
using tallivox::test::fromCodePoints;

namespace {

struct SeenBox {
    QString title;
    QString text;
    QDialogButtonBox::StandardButtons buttons;
    bool hasIcon = true;
    Qt::WindowModality modality = Qt::NonModal;
    bool latinAfterPersian = false;
};

// Waits for the real modal box, notes what it shows, then presses its OK
// button, so the runtime call under test returns.
SeenBox showAndDismiss(const std::function<void()> &show)
{
    SeenBox seen;
    QTimer::singleShot(0, [&seen] {
        QWidget *box = QApplication::activeModalWidget();
        auto *label = box ? box->findChild<QLabel *>(QStringLiteral("messageText")) : nullptr;
        auto *buttons = box ? box->findChild<QDialogButtonBox *>() : nullptr;
        if (!label || !buttons)
            return; // the watchdog will reject whatever is there and fail the test
        seen.title = box->windowTitle();
        seen.text = QTextDocumentFragment::fromHtml(label->text()).toPlainText();
        seen.buttons = buttons->standardButtons();
        seen.modality = box->windowModality();
        seen.hasIcon = false;
        for (const QLabel *any : box->findChildren<QLabel *>())
            seen.hasIcon = seen.hasIcon || !any->pixmap().isNull();

        // Left-to-right paragraph: the Persian run comes first on the line,
        // the Latin word after it, further right.
        auto *document = label->findChild<QTextDocument *>();
        const qsizetype latin = seen.text.indexOf(QLatin1StringView("Orvandel"));
        if (document && latin > 0) {
            const QTextLine line = document->firstBlock().layout()->lineAt(0);
            seen.latinAfterPersian = line.cursorToX(int(latin)) > line.cursorToX(1);
        }
        buttons->button(QDialogButtonBox::Ok)->click();
    });
    show();
    return seen;
}

} // namespace

class RuntimeTest : public QObject {
    Q_OBJECT

private:
    test::ModalWatchdog watchdog;
    QtRuntime runtime;

private slots:
    void initTestCase() { test::quietOffscreenNoise(); }
    void cleanup() { QCOMPARE(watchdog.takeStrays(), QStringList()); }

    void messageBoxIsModalTitledWithOkOnly()
    {
        const QString text = fromCodePoints({' ', 0x0633, 0x0627, 0x0632, 0x0646, 0x062F, 0x0647, ' '})
                           + QStringLiteral(": Orvandel ");
        const SeenBox seen = showAndDismiss([&] { runtime.messageBox(text); });
        QCOMPARE(seen.title, QStringLiteral("Tallivox"));
        QCOMPARE(seen.text, text);
        QCOMPARE(seen.buttons, QDialogButtonBox::StandardButtons(QDialogButtonBox::Ok));
        QVERIFY(!seen.hasIcon);
        QCOMPARE(seen.modality, Qt::ApplicationModal);
        QVERIFY(seen.latinAfterPersian);
    }

    void runTimeErrorBoxNamesNumberAndDescription_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("text");
        QTest::newRow("overflow") << 6 << "Overflow" << "Run-time error '6':\n\nOverflow";
        QTest::newRow("division by zero")
            << 11 << "Division by zero" << "Run-time error '11':\n\nDivision by zero";
    }

    void runTimeErrorBoxNamesNumberAndDescription()
    {
        QFETCH(int, number);
        QFETCH(QString, description);
        QFETCH(QString, text);
        const SeenBox seen = showAndDismiss([&] { runtime.runTimeErrorBox(number, description); });
        QCOMPARE(seen.title, QStringLiteral("Tallivox"));
        QCOMPARE(seen.text, text);
        QCOMPARE(seen.buttons, QDialogButtonBox::StandardButtons(QDialogButtonBox::Ok));
    }

    void boxTextCanBeCopied_data()
    {
        QTest::addColumn<int>("selectFrom");
        QTest::addColumn<int>("selectLength");
        QTest::addColumn<QString>("copied");
        QTest::newRow("nothing selected copies it all") << -1 << 0 << "-32768";
        QTest::newRow("a selection copies just that") << 1 << 3 << "327";
    }

    void boxTextCanBeCopied()
    {
        QFETCH(int, selectFrom);
        QFETCH(int, selectLength);
        QFETCH(QString, copied);
        QApplication::clipboard()->clear();
        QTimer::singleShot(0, [=] {
            QWidget *box = QApplication::activeModalWidget();
            auto *label = box ? box->findChild<QLabel *>(QStringLiteral("messageText")) : nullptr;
            if (!label)
                return;
            QVERIFY(label->textInteractionFlags().testFlag(Qt::TextSelectableByMouse));
            QVERIFY(QTest::qWaitForWindowActive(box));
            if (selectFrom >= 0)
                label->setSelection(selectFrom, selectLength);
            QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
            QTest::keyClick(box, Qt::Key_Return);
        });
        runtime.messageBox(QStringLiteral("-32768"));
        QCOMPARE(QApplication::clipboard()->text(), copied);
    }

    void boxIsReadByScreenReaders()
    {
        QString name;
        QString description;
        QString labelName;
        QTimer::singleShot(0, [&] {
            QWidget *box = QApplication::activeModalWidget();
            auto *label = box ? box->findChild<QLabel *>(QStringLiteral("messageText")) : nullptr;
            if (!label)
                return;
            name = QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name);
            description = QAccessible::queryAccessibleInterface(box)->text(QAccessible::Description);
            labelName = QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
            QTest::keyClick(box, Qt::Key_Escape);
        });
        runtime.messageBox(QStringLiteral(" 4 "));
        QCOMPARE(name, QStringLiteral("Tallivox"));
        QCOMPARE(description, QStringLiteral(" 4 "));
        QCOMPARE(labelName, QStringLiteral(" 4 "));
    }

    void endProgramClosesWindowsAndLeavesTheEventLoop()
    {
        QWidget window;
        window.show();
        QTimer::singleShot(0, [this] { runtime.endProgram(); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!window.isVisible());
    }
};

TALLIVOX_GUI_TEST_MAIN(RuntimeTest)
#include "runtime_test.moc"
