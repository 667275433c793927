#include "app/form1.h"
#include "gui_test.h"

#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>

#include <memory>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

using namespace tallivox;

// Whatever lands in the boxes, the window must answer with a result or an
// error box, stay open, and give back every box exactly as it was.
class HostileInputTest : public test::FormTestCase {
    Q_OBJECT

private:
    QStringList fillOthers()
    {
        QStringList texts;
        for (int i = 0; i < 6; ++i) {
            texts << QStringLiteral("keep %1 \u0639\u062F\u062F \U0001F600").arg(i);
            boxes()[i]->setText(texts.back());
        }
        return texts;
    }

    QStringList contents() const
    {
        QStringList texts;
        for (const QLineEdit *box : boxes())
            texts << box->text();
        return texts;
    }

private slots:
    void hostileBoxIsAnsweredAndKept_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("shown");

        QTest::newRow("a million characters")
            << QStringLiteral("0.") + QString(999'998, QLatin1Char('5')) << "1" << "box: 1";
        QTest::newRow("ten thousand digits") << QString(10'000, QLatin1Char('9')) << "1" << "error 6: Overflow";
        QTest::newRow("ten thousand zeros after &H")
            << QStringLiteral("&H") + QString(10'000, QLatin1Char('0')) + QStringLiteral("7FFF") << "1"
            << "box: 32767";
        QTest::newRow("NUL characters") << QString::fromUtf16(u"8\0\0" u"1", 4) << "2" << "box: 4";
        QTest::newRow("lone low surrogate first") << QString::fromUtf16(u"\xDC00" u"12", 3) << "3" << "box: 0";
        QTest::newRow("lone high surrogate last") << QString::fromUtf16(u"12\xD800", 3) << "3" << "box: 4";
        QTest::newRow("combining mark") << QString::fromUtf16(u"6\u0301") << "2" << "box: 3";
        QTest::newRow("emoji after digits") << QString::fromUtf16(u"9\U0001F600") << "3" << "box: 3";
        QTest::newRow("emoji before digits") << QString::fromUtf16(u"\U0001F6009") << "3" << "box: 0";
        QTest::newRow("right-to-left marks") << QString::fromUtf16(u"\u200F-\u200F8") << "2" << "box: -4";
        QTest::newRow("several lines") << QStringLiteral("1\n2\r\n3") << "1" << "box: 123";
        QTest::newRow("emoji divisor") << "5" << QString::fromUtf16(u"\U0001F600") << "error 11: Division by zero";
    }

    void hostileBoxIsAnsweredAndKept()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, shown);

        QStringList typed = fillOthers();
        form->Text7->setText(first);
        form->Text8->setText(second);
        typed << first << second;

        QTest::mouseClick(form->Command4, Qt::LeftButton);
        QCOMPARE(runtime.log, QStringList{shown});
        QVERIFY(form->isVisible());
        QVERIFY(contents() == typed); // QCOMPARE would print a million characters
    }

    void pastedLinesAreReadAsOneNumber()
    {
        QApplication::clipboard()->setText(QStringLiteral("1 2\n3\t4\n"));
        form->Text1->setFocus();
        QTest::keyClick(form->Text1, Qt::Key_V, Qt::ControlModifier);
        const QString pasted = form->Text1->text();
        QVERIFY(pasted.startsWith(QLatin1StringView("1 2")));
        form->Text2->setText(QStringLiteral("-1000"));
        QTest::mouseClick(form->Command1, Qt::LeftButton);
        QCOMPARE(runtime.log, QStringList{"box: 234"});
        QCOMPARE(form->Text1->text(), pasted);
    }

    void thousandClicksLeaveNothingBehind()
    {
        form->Text1->setText(QStringLiteral("7"));
        form->Text2->setText(QStringLiteral("2"));
        form->Text7->setText(QStringLiteral("1"));
        const QStringList before = contents();
        const auto click = [this](QPushButton *button) {
            runtime.log.clear();
            QTest::mouseClick(button, Qt::LeftButton);
        };
        for (int i = 0; i < 50; ++i) {
            click(form->Command1);
            click(form->Command4);
        }
        const qsizetype objects = form->findChildren<QObject *>().size();
#if defined(__GLIBC__)
        const std::size_t heapBefore = mallinfo2().uordblks;
#endif
        for (int i = 0; i < 500; ++i) {
            click(form->Command1);
            QCOMPARE(runtime.log, QStringList{"box: 9"});
            click(form->Command4);
            QCOMPARE(runtime.log, QStringList{"error 11: Division by zero"});
        }
#if defined(__GLIBC__)
        const std::size_t heapAfter = mallinfo2().uordblks;
        QVERIFY2(heapAfter < heapBefore + 16 * 1024,
                 qPrintable(QStringLiteral("heap grew by %1 bytes").arg(qint64(heapAfter) - qint64(heapBefore))));
#endif
        QCOMPARE(form->findChildren<QObject *>().size(), objects);
        QCOMPARE(contents(), before);
    }
};

TALLIVOX_GUI_TEST_MAIN(HostileInputTest)
#include "hostile_input_test.moc"
