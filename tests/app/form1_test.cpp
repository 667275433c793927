#include "gui_test.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>

#include <cmath>
#include <ranges>

using namespace tallivox;

namespace {

// First and last column of a rectangle of the picture that hold dark ink.
std::pair<int, int> inkColumns(const QImage &picture, const QRect &area)
{
    int first = area.right() + 1, last = -1;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qGray(picture.pixel(x, y)) < 96)
                first = std::min(first, x), last = std::max(last, x);
        }
    }
    return {first, last};
}

// WCAG's contrast ratio of two colours, from 1 to 21.
double contrast(QRgb a, QRgb b)
{
    const auto luminance = [](QRgb c) {
        const auto linear = [](int v) { return v <= 10 ? v / 3294.6 : std::pow((v / 255.0 + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
    };
    const auto [dark, light] = std::minmax({luminance(a), luminance(b)});
    return (light + 0.05) / (dark + 0.05);
}

} // namespace

class Form1Test : public test::FormTestCase {
    Q_OBJECT

    QWidget *control(const char *name) const { return form->clientArea()->findChild<QWidget *>(name); }
    QImage drawn() const { return form->clientArea()->grab().toImage(); }

private slots:
    void startsEmptyAndSpaceAddsAtOnce()
    {
        QCOMPARE(form->windowTitle(), QStringLiteral("Tallivox By KV"));
        QCOMPARE(form->clientArea()->geometry(), QRect(0, form->menuBar()->height(), 298, 521));
        // The grey picture of 101 x 54 in the top-left corner, the rest the window's dark blue.
        const QImage picture = drawn();
        for (const QPoint grey : {QPoint(0, 0), QPoint(100, 0), QPoint(0, 53)})
            QCOMPARE(picture.pixel(grey), qRgb(240, 240, 240));
        for (const QPoint blue : {QPoint(101, 0), QPoint(0, 54)})
            QCOMPARE(picture.pixel(blue), qRgb(1, 0, 0x42));
        for (QLineEdit *box : boxes())
            QVERIFY(box->text().isEmpty());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(runtime.log, QStringList{"box: 0"});
    }

    // Fifteen twips to a pixel, positions and font sizes alike; the later
    // control in front where two overlap; and the design's regularities:
    // one column of boxes, one of buttons, labels from x = 64, each group
    // 1800 twips below the last, boxes overlapping by 45 or 15 twips.
    void layout()
    {
        const struct { const char *name; QRect geometry; int fontPixels; } rows[] = {
            {"Label2", {64, 8, 41, 33}, 15}, {"Label1", {56, 496, 185, 25}, 11}, {"Command4", {80, 440, 129, 41}, 27}};
        for (const auto &row : rows) {
            QCOMPARE(control(row.name)->geometry(), row.geometry);
            QCOMPARE(control(row.name)->font().pixelSize(), row.fontPixels);
        }
        const struct { QPoint point; const char *front; } overlaps[] = {
            {{120, 41}, "Text2"}, {{70, 35}, "Label3"}, {{100, 20}, "Text1"}};
        for (const auto &[point, front] : overlaps) {
            QWidget *hit = form->clientArea()->childAt(point);
            while (hit && hit->parentWidget() != form->clientArea())
                hit = hit->parentWidget(); // a line edit's inner parts may answer
            QCOMPARE(hit ? hit->objectName() : QString(), QString::fromLatin1(front));
        }
        const QList<QLineEdit *> b = boxes();
        const QWidget *buttons[] = {form->Command1, form->Command2, form->Command3, form->Command4};
        const QWidget *labels[] = {form->Label2, form->Label3, form->Label4[0], form->Label5,
                                   form->Label4[1], form->Label4[2], form->Label4[3], form->Label4[4]};
        for (const QWidget *box : b)
            QCOMPARE(std::pair(box->x(), box->width()), std::pair(96, 89));
        for (const QWidget *button : buttons)
            QCOMPARE(std::pair(button->x(), button->width()), std::pair(80, 129));
        for (const QWidget *label : labels)
            QCOMPARE(label->x(), 64);
        for (const QWidget *label : labels | std::views::drop(2))
            QCOMPARE(label->height(), 25);
        for (const QLabel *label : form->Label4)
            QCOMPARE(label->width(), 25);
        const auto step = [](const QWidget *upper, const QWidget *lower) { return lower->y() - upper->y(); };
        for (int g = 1; g < 4; ++g) { // each group 1800 twips below the one before
            QCOMPARE(step(b[2 * g - 2], b[2 * g]), 120);
            QCOMPARE(step(b[2 * g - 1], b[2 * g + 1]), 120);
            QCOMPARE(step(buttons[g - 1], buttons[g]), 120);
        }
        for (int i = 4; i < 8; ++i) // the labels too, from the second group on
            QCOMPARE(step(labels[i - 2], labels[i]), 120);
        for (int g = 0; g < 4; ++g) // each group's lower box covers the upper one's foot
            QCOMPARE(b[2 * g]->geometry().bottom() + 1 - b[2 * g + 1]->y(), g < 2 ? 3 : 1);
    }

    // Each "number" label draws its whole word from its left edge, none of
    // it under the boxes; the credit label's last character is not cut off;
    // Persian typed into a box stays at its left edge.
    void textIsDrawnWhereTheDesignPutsIt()
    {
        form->Text1->setText(QString::fromUtf16(u"سلام"));
        const QImage picture = drawn();
        const int boxesLeft = form->Text1->x();
        for (QLabel *label : form->clientArea()->findChildren<QLabel *>()) {
            const bool credit = label == form->Label1;
            const QRect area = credit ? label->geometry() : label->geometry().intersected(QRect(0, 0, boxesLeft, 600));
            const auto [first, last] = inkColumns(picture, area);
            const int whole = label->fontMetrics().horizontalAdvance(label->text());
            QVERIFY2(first <= label->x() + 2 && 2 * (last - first + 1) >= whole && last < (credit ? area.right() : boxesLeft),
                     qPrintable(QStringLiteral("%1: ink %2 to %3, word %4 wide").arg(label->objectName()).arg(first).arg(last).arg(whole)));
        }
        const QRect box = form->Text1->geometry();
        const auto [first, last] = inkColumns(picture, box.adjusted(3, 3, -3, -3));
        QVERIFY(first <= box.left() + 8 && last < box.center().x());
    }

    // A focused button or box draws a ring 2 pixels thick that stands out
    // 3:1 from what was there before and from the face beside it.
    void focusIsPlainlyVisible()
    {
        for (QWidget *widget : {static_cast<QWidget *>(form->Command2), static_cast<QWidget *>(form->Text3)}) {
            const QImage before = widget->grab().toImage();
            widget->setFocus();
            const QImage after = widget->grab().toImage();
            const int w = before.width(), h = before.height();
            for (const QPoint p : {QPoint(2, h / 2), QPoint(3, h / 2), QPoint(w - 3, h / 2), QPoint(w - 4, h / 2),
                                   QPoint(w / 3, 2), QPoint(w / 3, 3), QPoint(w / 3, h - 3), QPoint(w / 3, h - 4)}) {
                QVERIFY2(contrast(before.pixel(p), after.pixel(p)) >= 3
                             && contrast(after.pixel(p), after.pixel(w / 3, h / 2 + 4)) >= 3,
                         qPrintable(QStringLiteral("%1 at %2,%3: %4 then %5 beside %6").arg(widget->objectName()).arg(p.x()).arg(p.y())
                                        .arg(before.pixel(p), 0, 16).arg(after.pixel(p), 0, 16).arg(after.pixel(w / 3, h / 2 + 4), 0, 16)));
            }
        }
    }

    void tabWalksTheGroupsInOrder()
    {
        const QStringList expected = {"Command1", "Text1", "Text2", "Text3", "Text4", "Command2", "Text5",
                                      "Text6", "Command3", "Text7", "Text8", "Command4", "Command1"};
        QStringList visited = {QApplication::focusWidget()->objectName()};
        while (visited.size() < expected.size()) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, expected);
    }

    void eachButtonReadsItsOwnBoxesUpperFirst()
    {
        const QStringList typed = {"7", "2", "3", "10", "6", "5", "7", "2"};
        for (int i = 0; i < 8; ++i)
            boxes()[i]->setText(typed[i]);
        for (QPushButton *button : {form->Command1, form->Command2, form->Command3, form->Command4})
            QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(runtime.log, (QStringList{"box: 9", "box: -7", "box: 30", "box: 4"}));
    }

    void errorLeavesWindowAndBoxesAsTheyWere()
    {
        QStringList typed;
        for (int i = 0; i < 8; ++i)
            boxes()[i]->setText(typed.emplace_back(QStringLiteral(" %1 typed \u0639 ").arg(i == 7 ? 0 : i + 1)));
        QTest::mouseClick(form->Command4, Qt::LeftButton);
        QTest::mouseClick(form->Command1, Qt::LeftButton); // and the next click is answered
        QCOMPARE(runtime.log, (QStringList{"error 11: Division by zero", "box: 3"}));
        QVERIFY(form->isVisible());
        for (int i = 0; i < 8; ++i)
            QCOMPARE(boxes()[i]->text(), typed[i]);
    }

    // Enter clicks the focused button as Space does, but neither a held key
    // nor Ctrl+Enter does.
    void enterOnTheFocusedButton()
    {
        const struct { const char *name; int key; Qt::KeyboardModifiers modifiers; bool repeat; int clicks; } rows[] = {
            {"Return", Qt::Key_Return, Qt::NoModifier, false, 1},
            {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier, false, 1},
            {"held Return", Qt::Key_Return, Qt::NoModifier, true, 0},
            {"Ctrl+Return", Qt::Key_Return, Qt::ControlModifier, false, 0}};
        for (const auto &row : rows) {
            runtime.log.clear();
            QKeyEvent press(QEvent::KeyPress, row.key, row.modifiers, QString(), row.repeat);
            QApplication::sendEvent(form->Command2, &press);
            QVERIFY2(runtime.log.size() == row.clicks, row.name);
        }
    }

    // Eight boxes all labelled "number" have names of their own, and the
    // label on each box's line speaks for it.
    void boxesSpeakToScreenReaders()
    {
        const QList<QLabel *> labels = form->clientArea()->findChildren<QLabel *>();
        QSet<QString> names;
        for (QLineEdit *box : boxes()) {
            QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(box);
            names.insert(spoken->text(QAccessible::Name));
            const auto nearer = [box](QLabel *a, QLabel *b) { return std::abs(a->y() - box->y()) < std::abs(b->y() - box->y()); };
            const auto labelling = spoken->relations(QAccessible::Label);
            QCOMPARE(labelling.size(), 1);
            QCOMPARE(labelling.first().first->object(), *std::min_element(labels.begin(), labels.end(), nearer));
        }
        names.remove(QString());
        QCOMPARE(names.size(), 8);
    }

    // Three credits in order, the yeh always U+064A and never the Persian
    // U+06CC; the window and its focus are unchanged afterwards.
    void aboutShowsTheThreeCreditsAndChangesNothing()
    {
        form->Text3->setText(QStringLiteral("12abc"));
        form->Text3->setFocus();
        form->About->trigger();
        QCOMPARE(runtime.log, (QStringList{QString::fromUtf16(u"box:  سازنده ي برنامه : Orvandel "),
                                           QString::fromUtf16(u"box:  وبسايت من : https://kelvasto.example/ "),
                                           QString::fromUtf16(u"box:  منتظر شما هستم :) ")}));
        QVERIFY(!runtime.log.join(QString()).contains(QChar(0x06CC)));
        QCOMPARE(form->Text3->text(), QStringLiteral("12abc"));
        QCOMPARE(QApplication::focusWidget(), form->Text3);
    }

    void exitSaysFarewellThenEndsButTheFrameJustCloses()
    {
        form->Exit->trigger();
        QCOMPARE(runtime.log, (QStringList{QString::fromUtf16(u"box:  اميدوارم لذت برده باشيد "), "end"}));
        runtime.log.clear();
        QVERIFY(form->close());
        QCOMPARE(runtime.log, QStringList());
    }

    void resizingMovesNothing()
    {
        const QImage before = drawn();
        form->resize(800, 900);
        QCOMPARE(drawn().copy(before.rect()), before);
    }

    // Kept whole past QLineEdit's usual 32,767 characters, and read as one
    // number however many lines it spans.
    void pastedTextIsKeptAndRead()
    {
        const struct { QString pasted, shown; } rows[] = {{"1 2\n3\t4\n", "box: 1235"},
                                                        {"0." + QString(999'998, '5'), "box: 2"}};
        form->Text2->setText(QStringLiteral("1"));
        for (const auto &[pasted, shown] : rows) {
            QApplication::clipboard()->setText(pasted);
            QTest::keyClick(form->Text1, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(form->Text1, Qt::Key_V, Qt::ControlModifier);
            QVERIFY(form->Text1->text().size() >= pasted.trimmed().size());
            QTest::mouseClick(form->Command1, Qt::LeftButton);
            QCOMPARE(runtime.log.takeLast(), shown);
        }
    }
};

TALLIVOX_GUI_TEST_MAIN(Form1Test)
#include "form1_test.moc"
