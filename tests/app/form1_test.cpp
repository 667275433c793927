#include "app/form1.h"
#include "gui_test.h"

#include <QAccessible>
#include <QClipboard>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>

#include <algorithm>
#include <cmath>

using namespace tallivox;

namespace {

// First and last column of a rectangle of the picture holding dark ink.
std::pair<int, int> inkColumns(const QImage &picture, const QRect &area)
{
    int first = area.right() + 1, last = -1;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qGray(picture.pixel(x, y)) < 96) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
        }
    }
    return {first, last};
}

// WCAG's contrast ratio of two colours, 1 to 21.
double contrast(QRgb a, QRgb b)
{
    const auto luminance = [](QRgb c) {
        const auto channel = [](int v) {
            const double s = v / 255.0;
            return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
    };
    const auto [dark, light] = std::minmax(luminance(a), luminance(b));
    return (light + 0.05) / (dark + 0.05);
}

} // namespace

class Form1Test : public test::FormTestCase {
    Q_OBJECT

private:
    QWidget *control(const QString &name) const
    {
        return form->clientArea()->findChild<QWidget *>(name, Qt::FindDirectChildrenOnly);
    }

    QImage drawn() const { return form->clientArea()->grab().toImage(); }

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

    // Twips become pixels at 15 to one, positions and font sizes alike.
    void twipsBecomePixels_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<int>("fontPixels");
        QTest::newRow("first group's tall label") << "Label2" << QRect(64, 8, 41, 33) << 15;
        QTest::newRow("box of 375 twips") << "Text2" << QRect(96, 40, 89, 25) << 11;
        QTest::newRow("box of 405 twips") << "Text6" << QRect(96, 280, 89, 27) << 11;
        QTest::newRow("last button") << "Command4" << QRect(80, 440, 129, 41) << 27;
        QTest::newRow("credit label") << "Label1" << QRect(56, 496, 185, 25) << 11;
    }

    void twipsBecomePixels()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(int, fontPixels);
        QCOMPARE(control(name)->geometry(), geometry);
        QCOMPARE(control(name)->font().pixelSize(), fontPixels);
    }

    void overlapsFollowTheStackingOrder_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QString>("front");
        QTest::newRow("Text2 covers the foot of Text1") << QPoint(120, 41) << "Text2";
        QTest::newRow("Label3 covers the foot of Label2") << QPoint(70, 35) << "Label3";
        QTest::newRow("Text1 covers the right edge of Label2") << QPoint(100, 20) << "Text1";
    }

    void overlapsFollowTheStackingOrder()
    {
        QFETCH(QPoint, point);
        QFETCH(QString, front);
        QWidget *hit = form->clientArea()->childAt(point);
        while (hit && hit->parentWidget() != form->clientArea())
            hit = hit->parentWidget(); // a line edit's inner parts may answer
        QVERIFY(hit);
        QCOMPARE(hit->objectName(), front);
    }

    // Every "number" label shows its whole word from its left edge, the
    // glyphs Qt picked included; none is hidden under the boxes.
    void labelsDrawTheirWordFromTheLeft()
    {
        const QImage picture = drawn();
        const int boxesLeft = form->Text1->x();
        for (QLabel *label : form->clientArea()->findChildren<QLabel *>()) {
            if (label == form->Label1)
                continue;
            const QRect visible = label->geometry().intersected(QRect(0, 0, boxesLeft, picture.height()));
            const auto [first, last] = inkColumns(picture, visible);
            const int word = label->fontMetrics().horizontalAdvance(label->text());
            QVERIFY2(first <= label->x() + 2, qPrintable(label->objectName()));
            QVERIFY2(last - first + 3 >= word && last < boxesLeft, qPrintable(label->objectName()));
        }
    }

    void creditLabelShowsItsLastCharacter()
    {
        const auto [first, last] = inkColumns(drawn(), form->Label1->geometry());
        QVERIFY(first <= form->Label1->x() + 2);
        QVERIFY2(last < form->Label1->geometry().right() - 1, "the closing parenthesis is cut off");
    }

    void persianTextStaysAtTheBoxLeftEdge()
    {
        form->Text1->setText(QString::fromUtf16(u"\u0633\u0644\u0627\u0645"));
        const QRect box = form->Text1->geometry();
        const auto [first, last] = inkColumns(drawn(), box.adjusted(3, 3, -3, -3));
        QVERIFY(first <= box.left() + 8);
        QVERIFY(last < box.center().x());
    }

    // A focused control draws a ring at least 2 pixels thick that stands
    // out 3:1 from what was there before and from the face beside it.
    void focusIsPlainlyVisible_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("button") << "Command2";
        QTest::newRow("box") << "Text3";
    }

    void focusIsPlainlyVisible()
    {
        QFETCH(QString, name);
        QWidget *widget = control(name);
        const QRect geometry = widget->geometry();
        const QImage before = widget->grab().toImage();
        widget->setFocus();
        const QImage after = widget->grab().toImage();
        QCOMPARE(widget->geometry(), geometry);

        const int w = before.width(), h = before.height();
        const QPoint ring[] = {{2, h / 2}, {3, h / 2}, {w - 3, h / 2}, {w - 4, h / 2},
                               {w / 3, 2}, {w / 3, 3}, {w / 3, h - 3}, {w / 3, h - 4}};
        for (const QPoint p : ring) {
            QVERIFY2(contrast(before.pixel(p), after.pixel(p)) >= 3, qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
            QVERIFY(contrast(after.pixel(p), after.pixel(w / 3, h / 2 + 4)) >= 3);
        }
    }

    void tabWalksTheGroupsInOrder()
    {
        const QStringList expected = {"Command1", "Text1", "Text2", "Text3", "Text4", "Command2", "Text5",
                                      "Text6", "Command3", "Text7", "Text8", "Command4", "Command1"};
        QStringList visited = {QApplication::focusWidget()->objectName()};
        for (int i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, expected);
    }

    // Each button reads its own group's boxes, upper box first.
    void eachButtonReadsItsOwnBoxes()
    {
        const QStringList typed = {"7", "2", "3", "10", "6", "5", "7", "2"};
        for (int i = 0; i < 8; ++i)
            boxes()[i]->setText(typed[i]);
        for (QPushButton *button : {form->Command1, form->Command2, form->Command3, form->Command4})
            QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(runtime.log, (QStringList{"box: 9", "box: -7", "box: 30", "box: 4"}));
    }

    void emptyBoxes_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("shown");
        QTest::newRow("add shows 0") << "Command1" << "box: 0";
        QTest::newRow("divide is 0/0, an overflow") << "Command4" << "error 6: Overflow";
    }

    void emptyBoxes()
    {
        QFETCH(QString, button);
        QFETCH(QString, shown);
        QTest::keyClick(control(button), Qt::Key_Space);
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

        QTest::mouseClick(form->Command1, Qt::LeftButton); // and the next click is answered
        QCOMPARE(runtime.log.last(), QStringLiteral("box: 3"));
    }

    void keysOnTheFocusedButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("autoRepeat");
        QTest::addColumn<int>("clicks");
        QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier) << false << 1;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << false << 1;
        QTest::newRow("held Return repeats nothing") << int(Qt::Key_Return) << int(Qt::NoModifier) << true << 0;
        QTest::newRow("Ctrl+Return") << int(Qt::Key_Return) << int(Qt::ControlModifier) << false << 0;
    }

    void keysOnTheFocusedButton()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, autoRepeat);
        QFETCH(int, clicks);
        form->Command2->setFocus();
        QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), QString(), autoRepeat);
        QApplication::sendEvent(form->Command2, &press);
        QCOMPARE(runtime.log.size(), clicks);
        QCOMPARE(QApplication::focusWidget(), form->Command2);
    }

    void f10OpensTheMenuBar()
    {
        form->Text4->setFocus();
        QTest::keyClick(form->Text4, Qt::Key_F10);
        QCOMPARE(QApplication::focusWidget(), form->menuBar());
        QCOMPARE(form->menuBar()->activeAction(), form->About);
        QTest::keyClick(form->menuBar(), Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), form->Text4);

        QTest::keyClick(form->Text4, Qt::Key_F10);
        QTest::keyClick(form->menuBar(), Qt::Key_Return);
        QCOMPARE(runtime.log.size(), 3); // the three credits
    }

    // Eight boxes all labelled "number" are told apart by name, and each
    // label speaks for the box on its own line.
    void boxesSpeakToScreenReaders()
    {
        const QList<QLabel *> labels = form->clientArea()->findChildren<QLabel *>();
        QSet<QString> names;
        for (QLineEdit *box : boxes()) {
            QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(box);
            names.insert(spoken->text(QAccessible::Name));
            const auto nearer = [box](const QLabel *a, const QLabel *b) {
                return std::abs(a->y() - box->y()) < std::abs(b->y() - box->y());
            };
            const QLabel *beside = *std::min_element(labels.begin(), labels.end(), nearer);
            const auto labelling = spoken->relations(QAccessible::Label);
            QCOMPARE(labelling.size(), 1);
            QCOMPARE(labelling.first().first->object(), beside);
        }
        names.remove(QString());
        QCOMPARE(names.size(), 8);
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
        form->resize(800, 900);
        QCOMPARE(geometries(), before);
    }

    // Pasted text is kept whole, past QLineEdit's usual 32,767 characters,
    // and read as one number however many lines it spans.
    void pastedTextIsKeptAndRead_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("shown");
        QTest::newRow("several lines") << "1 2\n3\t4\n" << "box: 1235";
        QTest::newRow("a million characters") << "0." + QString(999'998, QLatin1Char('5')) << "box: 2";
    }

    void pastedTextIsKeptAndRead()
    {
        QFETCH(QString, pasted);
        QFETCH(QString, shown);
        QApplication::clipboard()->setText(pasted);
        QTest::keyClick(form->Text1, Qt::Key_V, Qt::ControlModifier);
        const QString kept = form->Text1->text();
        form->Text2->setText(QStringLiteral("1"));
        QTest::mouseClick(form->Command1, Qt::LeftButton);
        QCOMPARE(runtime.log, QStringList{shown});
        QCOMPARE(form->Text1->text().size(), kept.size());
        QVERIFY(kept.size() >= pasted.trimmed().size());
    }
};

TALLIVOX_GUI_TEST_MAIN(Form1Test)
#include "form1_test.moc"
