// The window, offscreen: a recording runtime stands in for the message boxes,
// but where the real boxes are the point. Exit's end is proven end to end.
#include "app/application.h"
#include "app/form1.h"
#include "app/runtime.h"

#include <QtTest>
#include <QtWidgets>

#include <cmath>
#include <memory>

using namespace tallivox;

namespace {

struct RecordingRuntime final : Runtime {
    void messageBox(const QString &text) override { log << "box: " + text; }
    void runTimeErrorBox(arith::ErrorNumber n) override { log << QString("error %1").arg(static_cast<int>(n)); }
    void endProgram() override { log << "end"; }
    QStringList log;
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

} // namespace

class Form1Test : public QObject {
    Q_OBJECT

    RecordingRuntime runtime;
    std::unique_ptr<Form1> form;

    QList<QLineEdit *> boxes() const
    {
        return {form->Text1, form->Text2, form->Text3, form->Text4, form->Text5, form->Text6, form->Text7, form->Text8};
    }

public:
    // Offscreen unless told otherwise (under Wine, the Windows platform).
    static void initMain()
    {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }

private slots:
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

    // Every label's whole text from its left edge, none under the boxes, the
    // credit's last letter not cut; Persian typed into a box at its left.
    void textIsDrawnWhereTheDesignPutsIt()
    {
        form->Text1->setText(QString::fromUtf16(u"سلام"));
        const QImage picture = form->clientArea()->grab().toImage();
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

    // The focus starts on "sum", so Space adds the empty boxes at once; closing
    // the frame then shows nothing more. (e2e/orca.sh hears Tab walk the window.)
    void spaceThenClose()
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
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
        QCOMPARE(runtime.log.mid(0, 5), (QStringList{"box: 9", "box: -7", "box: 30", "error 11", "box: 9"}));
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
    // right to left, nothing cut off), OK and both errors' boxes (described by
    // number, the number in 0-9) are Persian; in English, English. Either way
    // the window is the same pixels, left to right.
    void speaksTheUserLanguageInTheSameWindow()
    {
        // As the screen shows it: under Wine, QWidget::grab() draws the
        // Windows style's box frames mirrored in part for a right-to-left
        // application, which the window on screen never does.
        const auto shown = [](QWidget &w) { return w.screen()->grabWindow(w.winId()).toImage(); };
        const QImage english = shown(*form);
        const std::tuple<QStringList, QString, QString, QStringList, Qt::LayoutDirection> rows[] = {
            {{"en-US", "fa-IR"}, "&Copy", "OK",
             {"Run-time error '6':\n\nOverflow", "Run-time error '11':\n\nDivision by zero"}, Qt::LeftToRight},
            {{"de-DE", "fa-IR", "en"}, QString::fromUtf16(u"&کپی"), QString::fromUtf16(u"تأیید"),
             {QString::fromUtf16(u"خطای زمان اجرا «6»:\u200F\n\nسرریز"),
              QString::fromUtf16(u"خطای زمان اجرا «11»:\u200F\n\nتقسیم بر صفر")}, Qt::RightToLeft}};
        for (const auto &[languages, copy, ok, errors, direction] : rows) {
            useFirstLanguageOf(languages);
            QCOMPARE(QApplication::layoutDirection(), direction);
            Form1 window(runtime);
            window.show();
            QVERIFY(QTest::qWaitForWindowActive(&window));
            QCOMPARE(std::pair(window.layoutDirection(), shown(window)), std::pair(Qt::LeftToRight, english));
            // The box's menu as shown: Copy's name on the side the language
            // reads from, its shortcut on the other, each whole in the menu.
            window.Text1->setText("12");
            window.Text1->selectAll();
            const std::unique_ptr<QMenu> menu(window.Text1->createStandardContextMenu());
            menu->popup(window.Text1->mapToGlobal(QPoint(4, 4)));
            QVERIFY(QTest::qWaitForWindowExposed(menu.get()));
            const QList<QAction *> actions = menu->actions();
            QAction *copying = *std::ranges::find_if(actions, [&](QAction *a) { return a->text().startsWith(copy); });
            const QString item = copying->text();
            const QRect row = menu->actionGeometry(copying);
            const QImage drawn = menu->grab().toImage();
            const auto left = inkColumns(drawn, row.adjusted(0, 0, -row.width() / 2, 0));
            const auto right = inkColumns(drawn, row.adjusted(row.width() / 2, 0, 0, 0));
            const auto [name, keys] = direction == Qt::LeftToRight ? std::pair(left, right) : std::pair(right, left);
            const auto fits = [&menu](std::pair<int, int> ink, const QString &text) {
                return std::abs(ink.second - ink.first - menu->fontMetrics().horizontalAdvance(text)) < 8;
            };
            QVERIFY2(fits(name, item.section('\t', 0, 0).remove('&')) && fits(keys, item.section('\t', 1))
                         && left.first > row.left() + 2 && right.second < row.right() - 2,
                     qPrintable(QStringLiteral("%1: ink %2-%3, %4-%5 in %6").arg(item).arg(left.first).arg(left.second)
                                    .arg(right.first).arg(right.second).arg(row.right())));
            menu->close();
            QStringList seen;
            for (const auto number : {arith::ErrorNumber::Overflow, arith::ErrorNumber::DivisionByZero}) {
                const auto box = makeMessageBox(runTimeErrorText(number), &window);
                seen << box->findChild<QLabel *>()->findChild<QTextDocument *>()->toPlainText()
                     << box->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->text();
            }
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
        for (const QString &text : {shown, QStringLiteral("4")}) {
            const auto box = makeMessageBox(text, form.get());
            box->show();
            box->activateWindow(); // Wine leaves the focus on the owner until asked
            QVERIFY2(QTest::qWaitFor([&box] { return QApplication::activeWindow() == box.get(); }),
                     "the message box never became the active window");
            QPushButton *ok = box->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
            auto *label = box->findChild<QLabel *>();
            QCOMPARE(std::tuple(box->windowTitle(), box->parentWidget(), box->windowModality()),
                     std::tuple(QStringLiteral("Tallivox"), static_cast<QWidget *>(form.get()), Qt::ApplicationModal));
            QVERIFY(ok && label->pixmap().isNull());
            QCOMPARE(box->findChildren<QPushButton *>().size(), 1);
            QVERIFY(std::abs(ok->mapTo(box.get(), ok->rect().center()).x() - box->rect().center().x()) <= 1);
            const auto buttons = Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint;
            QCOMPARE(box->windowFlags() & buttons, Qt::WindowCloseButtonHint);
            QCOMPARE(box->minimumSize(), box->maximumSize());
            const int title = QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(box->windowTitle());
            QVERIFY(box->width() >= title + 4 * QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight));
            const QTextDocument *document = label->findChild<QTextDocument *>();
            const QTextLine line = document->firstBlock().layout()->lineAt(0);
            const int latinStart = int(text.indexOf(QLatin1StringView("Orvandel")));
            QVERIFY(line.textLength() == 1 || line.cursorToX(latinStart) > line.cursorToX(1));
            label->setSelection(1, std::min(3, int(text.size()) - 1)); // none in a one-digit text
            QTest::keyClick(box.get(), Qt::Key_C, Qt::ControlModifier);
            seen << document->toPlainText() << QApplication::clipboard()->text();
        }
        QCOMPARE(seen, (QStringList{shown, shown.mid(1, 3), "4", "4"}));
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
