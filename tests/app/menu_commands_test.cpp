#include "app/form1.h"
#include "gui_test.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

#include <memory>

using namespace tallivox;
using tallivox::test::fromCodePoints;

namespace {

const QString firstCredit = fromCodePoints({' ', 0x0633, 0x0627, 0x0632, 0x0646, 0x062F, 0x0647, ' ', 0x064A, ' ',
                                            0x0628, 0x0631, 0x0646, 0x0627, 0x0645, 0x0647, ' ', ':', ' '})
                          + QStringLiteral("Orvandel ");
const QString secondCredit = fromCodePoints({' ', 0x0648, 0x0628, 0x0633, 0x0627, 0x064A, 0x062A, ' ',
                                             0x0645, 0x0646, ' ', ':', ' '})
                           + QStringLiteral("https://kelvasto.example/ ");
const QString thirdCredit = fromCodePoints({' ', 0x0645, 0x0646, 0x062A, 0x0638, 0x0631, ' ', 0x0634, 0x0645,
                                            0x0627, ' ', 0x0647, 0x0633, 0x062A, 0x0645, ' ', ':', ')', ' '});
const QString farewell = fromCodePoints({' ', 0x0627, 0x0645, 0x064A, 0x062F, 0x0648, 0x0627, 0x0631, 0x0645, ' ',
                                         0x0644, 0x0630, 0x062A, ' ', 0x0628, 0x0631, 0x062F, 0x0647, ' ',
                                         0x0628, 0x0627, 0x0634, 0x064A, 0x062F, ' '});

} // namespace

class MenuCommandsTest : public test::FormTestCase {
    Q_OBJECT

private slots:
    void menuBarHoldsJustAboutAndExit()
    {
        QCOMPARE(form->menuBar()->actions(), (QList<QAction *>{form->About, form->Exit}));
        for (QAction *command : {form->About, form->Exit}) {
            QVERIFY(!command->text().contains(QLatin1Char('&')));
            QVERIFY(command->shortcut().isEmpty());
            QVERIFY(!command->menu());
        }
        QCOMPARE(form->About->text(), QStringLiteral("About"));
        QCOMPARE(form->Exit->text(), QStringLiteral("Exit"));
    }

    void aboutShowsTheThreeCreditsInOrder()
    {
        form->About->trigger();
        QCOMPARE(runtime.log, (QStringList{"box: " + firstCredit, "box: " + secondCredit, "box: " + thirdCredit}));
    }

    void aboutLeavesBoxesAndFocusAsTheyWere()
    {
        form->Text3->setText(QStringLiteral("12abc"));
        form->Text8->setText(fromCodePoints({0x06F7}));
        form->Text3->setFocus();
        form->About->trigger();
        QCOMPARE(form->Text3->text(), QStringLiteral("12abc"));
        QCOMPARE(form->Text8->text(), fromCodePoints({0x06F7}));
        QCOMPARE(QApplication::focusWidget(), form->Text3);
    }

    void exitSaysFarewellThenEnds()
    {
        form->Exit->trigger();
        QCOMPARE(runtime.log, (QStringList{"box: " + farewell, "end"}));
    }

    void closingByTheFrameEndsWithoutAMessage()
    {
        QVERIFY(form->close());
        QVERIFY(!form->isVisible());
        QCOMPARE(runtime.log, QStringList());
    }

    // The real runtime: the farewell box is dismissed in one of the ways a
    // user can, and the program must end with status 0 every time.
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
        QtRuntime real;
        Form1 window(real);
        window.show();
        QString seen;
        QTimer::singleShot(0, &window, [&window] { window.Exit->trigger(); });
        QTimer::singleShot(50, [&seen, way] {
            auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!box)
                return;
            seen = box->findChild<QLabel *>(QStringLiteral("messageText"))->accessibleName();
            if (way == 0)
                box->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
            else if (way == 1)
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->close();
        });
        QCOMPARE(QApplication::exec(), 0);
        QCOMPARE(seen, farewell);
        QVERIFY(!window.isVisible());
    }
};

TALLIVOX_GUI_TEST_MAIN(MenuCommandsTest)
#include "menu_commands_test.moc"
