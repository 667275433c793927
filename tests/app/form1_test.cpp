// The window, offscreen. Most tests stand a recording runtime in for the
// message boxes and read what the user would have seen from its log; the
// last two open the real boxes. Exit's end is proven end to end.
#include "app/application.h"
#include "app/form1.h"
#include "app/runtime.h"

#include <QtTest>
#include <QtWidgets>

#include <cmath>
#include <memory>

using namespace tallivox;

namespace {

// The background picture's grey and the window's dark blue.
constexpr QRgb pictureGrey = qRgb(240, 240, 240);
constexpr QRgb background = qRgb(0x01, 0x00, 0x42);

struct RecordingRuntime final : Runtime {
    void messageBox(const QString &text) override { log << "box: " + text; }
    void runTimeErrorBox(arith::ErrorNumber n) override { log << QString("error %1").arg(static_cast<int>(n)); }
    void endProgram() override { log << "end"; }
    QStringList log;
};

// Answers each real box once it is open and active (Wine leaves Qt's focus
// on the owner until asked); a box open two seconds on fails the test and is
// closed, so a test fails fast instead of hanging.
class BoxWatch final : public QObject {
public:
    explicit BoxWatch(std::function<void(QDialog *)> answer = {})
    {
        connect(&timer_, &QTimer::timeout, this, [this, answer] { look(answer); });
        timer_.start(5);
    }

private:
    void look(const std::function<void(QDialog *)> &answer)
    {
        auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (box != current_) {
            current_ = box;
            since_.start();
            answered_ = false;
        }
        if (!box)
            return;
        if (answer && !answered_ && QApplication::activeWindow() == box) {
            answered_ = true;
            answer(box);
        } else if (since_.elapsed() > 2000) {
            QTest::qFail("a box was left open", __FILE__, __LINE__);
            box->close();
        } else if (answer && !answered_) {
            box->activateWindow();
        }
    }

    QTimer timer_;
    QPointer<QDialog> current_;
    QElapsedTimer since_;
    bool answered_ = false;
};

// Puts stock icons on dialog buttons, as some desktops' styles do.
class IconsOnButtons final : public QProxyStyle {
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *data) const override
    {
        return hint == SH_DialogButtonBox_ButtonsHaveIcons || QProxyStyle::styleHint(hint, option, widget, data);
    }
};

// First and last column of a rectangle of the picture that hold dark ink.
std::pair<int, int> inkColumns(const QImage &picture, const QRect &area)
{
    std::pair<int, int> ink(area.right() + 1, -1);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qGray(picture.pixel(x, y)) < 96)
                ink = {std::min(ink.first, x), std::max(ink.second, x)};
        }
    }
    return ink;
}

// WCAG's contrast ratio of two colours, from 1 to 21.
double contrast(QRgb a, QRgb b)
{
    const auto luminance = [](QRgb c) {
        const auto linear = [](int v) { return v <= 10 ? v / 3294.6 : std::pow((v / 255.0 + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c)) + 0.05;
    };
    return std::max(luminance(a), luminance(b)) / std::min(luminance(a), luminance(b));
}

} // namespace

class Form1Test : public QObject {
    Q_OBJECT

    RecordingRuntime runtime;
    std::unique_ptr<Form1> form;
    BoxWatch watch;

    QList<QLineEdit *> boxes() const
    {
        return {form->Text1, form->Text2, form->Text3, form->Text4, form->Text5, form->Text6, form->Text7, form->Text8};
    }
    QImage drawn() const { return form->clientArea()->grab().toImage(); }

public:
    // Offscreen unless told otherwise (under Wine, the Windows platform).
    static void initMain()
    {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }

private slots:
    void initTestCase() { QApplication::setStyle(new IconsOnButtons); }

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
        useFirstLanguageOf({});
    }

    // The title, the client area below the menu bar, and the 101 x 54 grey
    // picture at its corner on the dark blue, the same when the window grows.
    void windowAsDrawn()
    {
        QCOMPARE(form->windowTitle(), "Tallivox By KV");
        QCOMPARE(form->clientArea()->geometry(), QRect(0, form->menuBar()->height(), 298, 521));
        const QImage picture = drawn();
        const std::tuple<int, int, QRgb> pixels[] = {
            {0, 0, pictureGrey}, {100, 0, pictureGrey}, {0, 53, pictureGrey}, // the picture's corners
            {101, 0, background}, {0, 54, background}};                      // and just beyond them
        for (const auto &[x, y, colour] : pixels)
            QCOMPARE(picture.pixel(x, y), colour);
        form->resize(800, 900);
        QCOMPARE(drawn().copy(picture.rect()), picture);
    }

    // Fifteen twips to a pixel, positions and font sizes alike; the later
    // control in front where two overlap; the design's columns and steps.
    void layout()
    {
        const std::tuple<QWidget *, QRect, int> scaled[] = {
            {form->Label2, {64, 8, 41, 33}, 15},
            {form->Label1, {56, 496, 185, 25}, 11},
            {form->Command4, {80, 440, 129, 41}, 27},
            {form->Text4, {96, 160, 89, 25}, 11}};
        for (const auto &[control, geometry, fontPixels] : scaled)
            QCOMPARE(std::pair(control->geometry(), control->font().pixelSize()), std::pair(geometry, fontPixels));
        const std::pair<QPoint, QWidget *> overlaps[] = {
            {{120, 41}, form->Text2}, {{70, 35}, form->Label3}, {{100, 20}, form->Text1}};
        for (const auto &[point, front] : overlaps) {
            QWidget *hit = form->clientArea()->childAt(point);
            while (hit && hit->parentWidget() != form->clientArea())
                hit = hit->parentWidget(); // a line edit's inner parts may answer
            QCOMPARE(hit, front);
        }
        // Boxes at 1440 twips, labels at 960; each group 1800 below the last.
        const QList<QLineEdit *> b = boxes();
        const QWidget *buttons[] = {form->Command1, form->Command2, form->Command3, form->Command4};
        const QWidget *labels[] = {form->Label2, form->Label3, form->Label4[0], form->Label5,
                                   form->Label4[1], form->Label4[2], form->Label4[3], form->Label4[4]};
        for (int i = 0; i < 8; ++i)
            QCOMPARE(std::pair(b[i]->x(), labels[i]->x()), std::pair(96, 64));
        for (int g = 1; g < 4; ++g) {
            QCOMPARE(std::tuple(b[2 * g]->y() - b[2 * g - 2]->y(), b[2 * g + 1]->y() - b[2 * g - 1]->y(),
                                buttons[g]->y() - buttons[g - 1]->y()),
                     std::tuple(120, 120, 120));
        }
    }

    // Every label's whole text from its left edge, none under the boxes, the
    // credit's last letter not cut; Persian typed into a box at its left.
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
            const QString ink = QStringLiteral("%1: ink %2 to %3, word %4 wide").arg(label->objectName());
            QVERIFY2(first <= label->x() + 2 && 2 * (last - first + 1) >= whole
                         && last < (credit ? area.right() : boxesLeft),
                     qPrintable(ink.arg(first).arg(last).arg(whole)));
        }
        const QRect box = form->Text1->geometry();
        const auto [first, last] = inkColumns(picture, box.adjusted(3, 3, -3, -3));
        QVERIFY(first <= box.left() + 8 && last < box.center().x());
    }

    // A focused control's 2-pixel ring stands out 3:1 from before and from its face.
    void focusIsPlainlyVisible()
    {
        for (QWidget *widget : std::initializer_list<QWidget *>{form->Command2, form->Text3}) {
            const QImage before = widget->grab().toImage();
            widget->setFocus();
            const QImage after = widget->grab().toImage();
            const auto [w, h] = std::pair(before.width(), before.height());
            const QRgb face = after.pixel(w / 3, h / 2 + 4);
            for (const QPoint p : {QPoint(2, h / 2), QPoint(3, h / 2), QPoint(w - 3, h / 2), QPoint(w - 4, h / 2),
                                   QPoint(w / 3, 2), QPoint(w / 3, 3), QPoint(w / 3, h - 3), QPoint(w / 3, h - 4)})
                QVERIFY2(contrast(before.pixel(p), after.pixel(p)) >= 3 && contrast(after.pixel(p), face) >= 3,
                         qPrintable(QStringLiteral("%1 at %2,%3").arg(widget->objectName()).arg(p.x()).arg(p.y())));
        }
    }

    // The focus starts on "sum", so Space adds the empty boxes at once; Tab
    // walks the groups in order; closing the frame then shows nothing more.
    void spaceThenTabThenClose()
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QStringList visited = {QApplication::focusWidget()->objectName()};
        while (visited.size() < 13) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited.join(' '),
                 "Command1 Text1 Text2 Text3 Text4 Command2 Text5 Text6 Command3 Text7 Text8 Command4 Command1");
        QVERIFY(form->close());
        QCOMPARE(runtime.log, QStringList{"box: 0"});
    }

    // Each button reads its own boxes, upper first; neither an error nor About
    // changes the window, its boxes or the focus.
    void buttonsReadTheirOwnBoxesAndOutliveErrors()
    {
        const QStringList typed = {"7", "2", "3", "10", "6", "5", " 7 typed \u0639 ", "0"};
        for (int i = 0; i < 8; ++i)
            boxes()[i]->setText(typed[i]);
        for (QPushButton *button : {form->Command1, form->Command2, form->Command3, form->Command4, form->Command1})
            QTest::mouseClick(button, Qt::LeftButton);
        form->Text3->setFocus();
        form->About->trigger();
        // Five clicks, then About's three credits.
        QCOMPARE(runtime.log.mid(0, 5),
                 (QStringList{"box: 9", "box: -7", "box: 30", "error 11", "box: 9"}));
        QCOMPARE(runtime.log.size(), qsizetype(5 + 3));
        QVERIFY(form->isVisible() && QApplication::focusWidget() == form->Text3);
        for (int i = 0; i < 8; ++i)
            QCOMPARE(boxes()[i]->text(), typed[i]);
        // A paste is kept whole past QLineEdit's usual 32,767 characters; lines read as one.
        runtime.log.clear();
        for (const QString &pasted : {QStringLiteral("1 2\n3\t4\n"), "0." + QString(999'998, '5')}) {
            QApplication::clipboard()->setText(pasted);
            QTest::keyClick(form->Text1, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(form->Text1, Qt::Key_V, Qt::ControlModifier);
            QVERIFY(form->Text1->text().size() >= pasted.trimmed().size());
            QTest::mouseClick(form->Command1, Qt::LeftButton);
        }
        QCOMPARE(runtime.log, (QStringList{"box: 1236", "box: 3"}));
    }

    // Enter clicks the focused button as Space does; held, or with Ctrl, not.
    void enterOnTheFocusedButton()
    {
        const std::tuple<const char *, int, Qt::KeyboardModifiers, bool, qsizetype> rows[] = {
            {"Return", Qt::Key_Return, Qt::NoModifier, false, 1},
            {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier, false, 1},
            {"held Return", Qt::Key_Return, Qt::NoModifier, true, 0},
            {"Ctrl+Return", Qt::Key_Return, Qt::ControlModifier, false, 0}};
        for (const auto &[name, key, modifiers, held, clicks] : rows) {
            QKeyEvent press(QEvent::KeyPress, key, modifiers, QString(), held);
            QApplication::sendEvent(form->Command2, &press);
            QVERIFY2(std::exchange(runtime.log, {}).size() == clicks, name);
        }
    }

    // Eight boxes all labelled "number": a name each, and the label beside.
    void boxesSpeakToScreenReaders()
    {
        const QList<QLabel *> labels = form->clientArea()->findChildren<QLabel *>();
        QSet<QString> names;
        for (QLineEdit *box : boxes()) {
            const auto nearer = [box](QLabel *a, QLabel *b) {
                return std::abs(a->y() - box->y()) < std::abs(b->y() - box->y());
            };
            QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(box);
            const auto labelling = spoken->relations(QAccessible::Label);
            QVERIFY(labelling.size() == 1 && labelling[0].first->object() == *std::ranges::min_element(labels, nearer));
            names << spoken->text(QAccessible::Name);
        }
        QVERIFY(names.size() == 8 && !names.contains(QString()));
    }

    // Dari is Persian in any spelling, though Qt knows no prs; the first of
    // the user's languages that Tallivox has wins.
    void choosesTheFirstLanguageItHas()
    {
        const std::pair<QStringList, QString> rows[] = {
            {{"prs"}, "fa"}, {{"prs-AF"}, "fa"}, {{"prs_AF"}, "fa"}, {{"fa-AF"}, "fa"}, {{"fa_IR.UTF-8"}, "fa"},
            {{"de-DE", "PRS-af", "en"}, "fa"}, {{"de", "en-GB", "fa"}, "en"}, {{"pt-BR"}, "en"}};
        for (const auto &[languages, chosen] : rows)
            QCOMPARE(useFirstLanguageOf(languages), chosen);
    }

    // The first UI language Tallivox has wins: in Persian, Qt's menus (laid out
    // right to left, nothing cut off) and OK, both errors' boxes (described by
    // number, the number in 0-9) and the spoken names are Persian; in English,
    // English. Either way the window is the same pixels, left to right.
    void speaksTheUserLanguageInTheSameWindow()
    {
        const QImage english = form->grab().toImage();
        const std::tuple<QStringList, QString, QString, QStringList, QString, Qt::LayoutDirection> rows[] = {
            {{"en-US", "fa-IR"}, "&Copy", "OK",
             {"Run-time error '6':\n\nOverflow", "Run-time error '11':\n\nDivision by zero"}, "First number to add",
             Qt::LeftToRight},
            {{"de-DE", "fa-IR", "en"}, QString::fromUtf16(u"&کپی"), QString::fromUtf16(u"تأیید"),
             {QString::fromUtf16(u"خطای زمان اجرا «6»:\u200F\n\nسرریز"),
              QString::fromUtf16(u"خطای زمان اجرا «11»:\u200F\n\nتقسیم بر صفر")},
             QString::fromUtf16(u"عدد اول برای جمع"), Qt::RightToLeft}};
        for (const auto &[languages, copy, ok, errors, spoken, direction] : rows) {
            useFirstLanguageOf(languages);
            QCOMPARE(QApplication::layoutDirection(), direction);
            Form1 window(runtime);
            window.show();
            QVERIFY(QTest::qWaitForWindowActive(&window));
            QCOMPARE(std::pair(window.layoutDirection(), window.grab().toImage()), std::pair(Qt::LeftToRight, english));
            QCOMPARE(window.Text1->accessibleName(), spoken);
            // The box's menu as shown: Copy's name on the side the language
            // reads from, its shortcut on the other, both whole in the menu.
            window.Text1->setText("12");
            window.Text1->selectAll();
            const std::unique_ptr<QMenu> menu(window.Text1->createStandardContextMenu());
            menu->popup(window.Text1->mapToGlobal(QPoint(4, 4)));
            QVERIFY(QTest::qWaitForWindowExposed(menu.get()));
            const QList<QAction *> actions = menu->actions();
            QAction *copying = *std::ranges::find_if(actions, [&](QAction *a) { return a->text().startsWith(copy); });
            const QRect row = menu->actionGeometry(copying);
            const QImage drawn = menu->grab().toImage();
            const auto left = inkColumns(drawn, row.adjusted(0, 0, row.center().x() - row.right(), 0));
            const auto right = inkColumns(drawn, row.adjusted(row.center().x() + 1 - row.left(), 0, 0, 0));
            const auto [name, keys] = direction == Qt::LeftToRight ? std::pair(left, right) : std::pair(right, left);
            const auto fits = [&menu](std::pair<int, int> ink, const QString &text) {
                return std::abs(ink.second - ink.first - menu->fontMetrics().horizontalAdvance(text)) < 8;
            };
            QVERIFY2(fits(name, copying->text().section('\t', 0, 0).remove('&')) && fits(keys, copying->text().section('\t', 1))
                         && left.first > row.left() + 2 && right.second < row.right() - 2,
                     qPrintable(QStringLiteral("ink %1-%2, %3-%4 in %5").arg(left.first).arg(left.second)
                                    .arg(right.first).arg(right.second).arg(row.right())));
            menu->close();
            QStringList seen;
            BoxWatch answer([&](QDialog *box) {
                QPushButton *button = box->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
                seen << box->findChild<QLabel *>()->findChild<QTextDocument *>()->toPlainText() << button->text();
                button->click();
            });
            QtRuntime real;
            real.runTimeErrorBox(arith::ErrorNumber::Overflow);
            real.runTimeErrorBox(arith::ErrorNumber::DivisionByZero);
            QCOMPARE(seen, (QStringList{errors[0], ok, errors[1], ok}));
        }
    }

    // The real box: titled, owned, modal; text left to right; one plain OK in
    // the middle; a close button only, a fixed size with room for the title;
    // Ctrl+C copies the selection, or else the whole text.
    void boxLooksLikeAMessageBox()
    {
        const QString shown = QString::fromUtf16(u" سازنده : Orvandel ");
        QStringList seen;
        QtRuntime real;
        real.setOwner(form.get());
        BoxWatch answer([&](QDialog *box) {
            QPushButton *ok = box->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
            auto *label = box->findChild<QLabel *>();
            QCOMPARE(std::tuple(box->windowTitle(), box->parentWidget(), box->windowModality()),
                     std::tuple(QStringLiteral("Tallivox"), static_cast<QWidget *>(form.get()), Qt::ApplicationModal));
            QVERIFY(ok && ok->icon().isNull() && label->pixmap().isNull());
            QCOMPARE(box->findChildren<QPushButton *>().size(), 1);
            QVERIFY(std::abs(ok->mapTo(box, ok->rect().center()).x() - box->rect().center().x()) <= 1);
            const auto buttons = Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint;
            QCOMPARE(box->windowFlags() & buttons, Qt::WindowCloseButtonHint);
            QCOMPARE(box->minimumSize(), box->maximumSize());
            const int title = QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance("Tallivox");
            QVERIFY(box->width() >= title + 4 * QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight));
            const QTextDocument *document = label->findChild<QTextDocument *>();
            const QTextLine line = document->firstBlock().layout()->lineAt(0);
            const int latinStart = int(shown.indexOf(QLatin1StringView("Orvandel")));
            QVERIFY(line.textLength() == 1 || line.cursorToX(latinStart) > line.cursorToX(1));
            const QString text = document->toPlainText();
            label->setSelection(1, std::min(3, int(text.size()) - 1)); // none in a one-digit text
            QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
            seen << text;
            seen << QApplication::clipboard()->text();
            ok->click();
        });
        real.messageBox(shown);
        real.messageBox(QStringLiteral("4"));
        QCOMPARE(seen, (QStringList{shown, shown.mid(1, 3), "4", "4"}));
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
