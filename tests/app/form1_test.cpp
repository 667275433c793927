#include "app/form1.h"
#include "gui_test.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

#include <algorithm>
#include <cstdlib>
#include <memory>

using namespace tallivox;
using tallivox::test::fromCodePoints;

class Form1Test : public test::FormTestCase {
    Q_OBJECT

private:
    QWidget *control(const QString &name) const
    {
        return form->clientArea()->findChild<QWidget *>(name, Qt::FindDirectChildrenOnly);
    }

private slots:
    void startsEmptyWithFocusOnTheAddButton()
    {
        QCOMPARE(form->windowTitle(), QStringLiteral("Tallivox By KV"));
        QCOMPARE(form->clientArea()->size(), QSize(298, 521));
        QCOMPARE(form->clientArea()->y(), form->menuBar()->geometry().bottom() + 1);
        for (QLineEdit *box : boxes())
            QVERIFY(box->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), form->Command1);
    }

    void layoutTable_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<int>("fontPixels");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QString>("caption");

        const QString number = fromCodePoints({0x0639, 0x062F, 0x062F});
        const auto row = [](const char *name, QRect geometry, int pixels, bool bold, QString caption) {
            QTest::newRow(name) << QString::fromLatin1(name) << geometry << pixels << bold << caption;
        };
        // Positions at 15 twips a pixel; 11.25 pt is 15 px, 20.25 pt 27 px, 8.25 pt 11 px.
        row("Label2", {64, 8, 41, 33}, 15, true, number);
        row("Text1", {96, 16, 89, 27}, 11, false, {});
        row("Label3", {64, 32, 41, 33}, 15, true, number);
        row("Text2", {96, 40, 89, 25}, 11, false, {});
        row("Command1", {80, 80, 129, 44}, 27, true, fromCodePoints({0x062C, 0x0645, 0x0639}));
        row("Label4_0", {64, 136, 25, 25}, 15, true, number);
        row("Text3", {96, 136, 89, 27}, 11, false, {});
        row("Label5", {64, 160, 33, 25}, 15, true, number);
        row("Text4", {96, 160, 89, 25}, 11, false, {});
        row("Command2", {80, 200, 129, 41}, 27, true,
            fromCodePoints({0x062A, 0x0641, 0x0631, 0x064A, 0x0642}));
        row("Label4_1", {64, 256, 25, 25}, 15, true, number);
        row("Text5", {96, 256, 89, 25}, 11, false, {});
        row("Label4_2", {64, 280, 25, 25}, 15, true, number);
        row("Text6", {96, 280, 89, 27}, 11, false, {});
        row("Command3", {80, 320, 129, 41}, 27, true, fromCodePoints({0x0636, 0x0631, 0x0628}));
        row("Label4_3", {64, 376, 25, 25}, 15, true, number);
        row("Text7", {96, 376, 89, 25}, 11, false, {});
        row("Label4_4", {64, 400, 25, 25}, 15, true, number);
        row("Text8", {96, 400, 89, 25}, 11, false, {});
        row("Command4", {80, 440, 129, 41}, 27, true,
            fromCodePoints({0x062A, 0x0642, 0x0633, 0x064A, 0x0645}));
        row("Label1", {56, 496, 185, 25}, 11, false, QStringLiteral("Tallivox Created  By KelVastO (KV)"));
    }

    void layoutTable()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(int, fontPixels);
        QFETCH(bool, bold);
        QFETCH(QString, caption);

        QWidget *widget = control(name);
        QVERIFY(widget);
        QCOMPARE(widget->geometry(), geometry);
        QCOMPARE(widget->font().pixelSize(), fontPixels);
        QCOMPARE(widget->font().bold(), bold);
        QVERIFY(!widget->font().italic() && !widget->font().underline() && !widget->font().strikeOut());

        if (auto *label = qobject_cast<QLabel *>(widget))
            QCOMPARE(label->text(), caption);
        else if (auto *button = qobject_cast<QPushButton *>(widget))
            QCOMPARE(button->text(), caption);
        else
            QVERIFY(qobject_cast<QLineEdit *>(widget)->text().isEmpty());

        // The font Qt actually picked must hold every caption glyph, or the
        // Persian captions would come out as empty boxes.
        const QFontMetrics metrics(widget->font());
        for (const char32_t c : caption.toUcs4())
            QVERIFY2(metrics.inFontUcs4(c), qPrintable(QFontInfo(widget->font()).family()));
    }

    void label4IsAnArrayOfFive()
    {
        for (int i = 0; i < 5; ++i)
            QCOMPARE(form->Label4[static_cast<std::size_t>(i)], control(QStringLiteral("Label4_%1").arg(i)));
    }

    void overlapsFollowTheStackingOrder_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QString>("front");
        QTest::newRow("Text2 covers the foot of Text1") << QPoint(120, 41) << "Text2";
        QTest::newRow("Text6 covers the foot of Text5") << QPoint(120, 280) << "Text6";
        QTest::newRow("Label3 covers the foot of Label2") << QPoint(70, 35) << "Label3";
        QTest::newRow("Label5 covers the foot of Label4(0)") << QPoint(70, 160) << "Label5";
        QTest::newRow("Text1 covers the right edge of Label2") << QPoint(100, 20) << "Text1";
    }

    void overlapsFollowTheStackingOrder()
    {
        QFETCH(QPoint, point);
        QFETCH(QString, front);
        QWidget *hit = form->clientArea()->childAt(point);
        // A line edit's inner parts may answer; walk up to the control itself.
        while (hit && hit->parentWidget() != form->clientArea())
            hit = hit->parentWidget();
        QVERIFY(hit);
        QCOMPARE(hit->objectName(), front);
    }

    void tabWalksTheGroupsInOrder()
    {
        const QStringList expected = {"Command1", "Text1", "Text2", "Text3", "Text4", "Command2",
                                      "Text5", "Text6", "Command3", "Text7", "Text8", "Command4",
                                      "Command1"};
        QStringList visited = {QApplication::focusWidget()->objectName()};
        for (int i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, expected);
    }

    void buttonShowsItsResult_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("shown");

        QTest::newRow("empty add") << "Command1" << "" << "" << "box: 0";
        QTest::newRow("empty divide is 0/0") << "Command4" << "" << "" << "error 6: Overflow";
        QTest::newRow("seven halves") << "Command4" << "7" << "2" << "box: 4";
        QTest::newRow("negative seven halves") << "Command4" << "-7" << "2" << "box: -4";
        QTest::newRow("divide by zero") << "Command4" << "1" << "0" << "error 11: Division by zero";
        QTest::newRow("lower minus upper") << "Command2" << "3" << "10" << "box: -7";
        QTest::newRow("product too large") << "Command3" << "200" << "200" << "error 6: Overflow";
        QTest::newRow("letters count as zero") << "Command1" << "abc" << "5" << "box: 5";
        QTest::newRow("hex minus one plus one") << "Command1" << "&HFFFF" << "1" << "box: 0";
        QTest::newRow("persian digits") << "Command3" << QString::fromUtf16(u"\u06F1\u06F2") << "3" << "box: 36";
        QTest::newRow("unreadable operand") << "Command1" << "1e999" << "1" << "error 6: Overflow";
    }

    void buttonShowsItsResult()
    {
        QFETCH(QString, button);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, shown);

        const int group = button.back().digitValue() - 1;
        boxes()[2 * group]->setText(first);
        boxes()[2 * group + 1]->setText(second);
        QTest::mouseClick(control(button), Qt::LeftButton);
        QCOMPARE(runtime.log, QStringList{shown});
    }

    void errorLeavesWindowAndBoxesAsTheyWere()
    {
        QStringList typed;
        for (int i = 0; i < 8; ++i) {
            typed << QStringLiteral(" %1 typed \u0639 ").arg(i == 7 ? 0 : i + 1);
            boxes()[i]->setText(typed.back());
        }
        QTest::mouseClick(form->Command4, Qt::LeftButton);
        QCOMPARE(runtime.log, QStringList{"error 11: Division by zero"});

        QVERIFY(form->isVisible());
        for (int i = 0; i < 8; ++i)
            QCOMPARE(boxes()[i]->text(), typed[i]);

        // The program goes on: the next click is answered as usual.
        QTest::mouseClick(form->Command1, Qt::LeftButton);
        QCOMPARE(runtime.log.last(), QStringLiteral("box: 3"));
    }

    void keysClickTheFocusedButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
        QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier);
    }

    void keysClickTheFocusedButton()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        form->Text3->setText("9");
        form->Text4->setText("4");
        form->Command2->setFocus();
        QTest::keyClick(form->Command2, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(runtime.log, QStringList{"box: 5"});
        QCOMPARE(QApplication::focusWidget(), form->Command2);
    }

    // Eight boxes all labelled "number" are told apart by name, and each
    // label speaks for the box on its own line.
    void boxesSpeakToScreenReaders()
    {
        const QList<QLabel *> labels = form->clientArea()->findChildren<QLabel *>();
        QSet<QString> names;
        for (QLineEdit *box : boxes()) {
            QAccessibleInterface *boxInterface = QAccessible::queryAccessibleInterface(box);
            const QString name = boxInterface->text(QAccessible::Name);
            QVERIFY(!name.isEmpty());
            names.insert(name);

            const auto byDistance = [box](const QLabel *a, const QLabel *b) {
                return std::abs(a->y() - box->y()) < std::abs(b->y() - box->y());
            };
            const QLabel *nearest = *std::min_element(labels.begin(), labels.end(), byDistance);
            QCOMPARE(nearest->buddy(), box);
            const auto labelling = boxInterface->relations(QAccessible::Label);
            QCOMPARE(labelling.size(), 1);
            QCOMPARE(labelling.first().first->object(), nearest);
        }
        QCOMPARE(names.size(), 8);
    }

    void buttonsAreNamedByTheirCaptions()
    {
        for (QPushButton *button : {form->Command1, form->Command2, form->Command3, form->Command4}) {
            QAccessibleInterface *button_ = QAccessible::queryAccessibleInterface(button);
            QCOMPARE(button_->text(QAccessible::Name), button->text());
            QCOMPARE(button_->role(), QAccessible::Button);
        }
    }

    void resizingMovesNothing()
    {
        const auto geometries = [this] {
            QList<QRect> all;
            for (QWidget *child : form->clientArea()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
                all << child->geometry();
            return all;
        };
        const QList<QRect> before = geometries();
        QCOMPARE(before.size(), 21);
        for (const QSize size : {QSize(800, 900), QSize(120, 150)}) {
            form->resize(size);
            QCOMPARE(geometries(), before);
        }
    }

    void boxesHaveNoLengthLimit()
    {
        const QString pasted(100'000, QLatin1Char('7'));
        form->Text1->setFocus();
        form->Text1->insert(pasted);
        QCOMPARE(form->Text1->text().size(), pasted.size());
    }
};

TALLIVOX_GUI_TEST_MAIN(Form1Test)
#include "form1_test.moc"
