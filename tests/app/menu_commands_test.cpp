#include "app/form1.h"
#include "gui_test.h"

#include <QAction>
#include <QMenuBar>

using namespace tallivox;

class MenuCommandsTest : public test::FormTestCase {
    Q_OBJECT

private slots:
    void menuBarHoldsJustAboutAndExit()
    {
        QCOMPARE(form->menuBar()->actions(), (QList<QAction *>{form->About, form->Exit}));
        QCOMPARE(form->About->text(), QStringLiteral("About"));
        QCOMPARE(form->Exit->text(), QStringLiteral("Exit"));
        for (QAction *command : {form->About, form->Exit})
            QVERIFY(command->shortcut().isEmpty() && !command->menu());
    }

    void aboutShowsTheThreeCreditsAndChangesNothing()
    {
        form->Text3->setText(QStringLiteral("12abc"));
        form->Text3->setFocus();
        form->About->trigger();
        QCOMPARE(runtime.log, (QStringList{
            QString::fromUtf16(u"box:  سازنده ي برنامه : Orvandel "),
            QString::fromUtf16(u"box:  وبسايت من : https://kelvasto.example/ "),
            QString::fromUtf16(u"box:  منتظر شما هستم :) "),
        }));
        // The yeh is U+064A, never the Persian U+06CC.
        QVERIFY(!runtime.log.join(QString()).contains(QChar(0x06CC)));
        QCOMPARE(form->Text3->text(), QStringLiteral("12abc"));
        QCOMPARE(QApplication::focusWidget(), form->Text3);
    }

    void exitSaysFarewellThenEnds()
    {
        form->Exit->trigger();
        QCOMPARE(runtime.log, (QStringList{QString::fromUtf16(u"box:  اميدوارم لذت برده باشيد "), "end"}));
    }

    void closingByTheFrameEndsWithoutAMessage()
    {
        QVERIFY(form->close());
        QCOMPARE(runtime.log, QStringList());
    }
};

TALLIVOX_GUI_TEST_MAIN(MenuCommandsTest)
#include "menu_commands_test.moc"
