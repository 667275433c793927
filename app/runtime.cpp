#include "app/runtime.h"

#include "identity.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QString>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace tallivox {
namespace {

// The text goes in as rich text for one reason: a paragraph marked dir="ltr".
// Plain selectable text would take its direction from the first strong
// character, so a text that begins in Persian would turn right-to-left and
// move its Latin part to the far left. Marked left to right, the bidi rules
// still order and shape the Arabic runs inside it. white-space:pre keeps the
// texts' blanks at both ends.
QString leftToRightHtml(const QString &text)
{
    return QStringLiteral("<p dir=\"ltr\" style=\"white-space:pre\">%1</p>").arg(text.toHtmlEscaped());
}

// What a title bar spends beside its title, in pixels, at most, on the
// desktops we know: the window icon, the close button and the margins.
constexpr int titleBarExtras = 120;

// Qt's own title bar on Wayland (its bradient decoration, drawn where the
// compositor draws none; the same in Qt 6.4 and 6.8) centres the title, in a
// 14-pixel font, over the whole window, frame included, and cuts it 77
// pixels inside the window's right edge, 5 before its minimise button; the
// frame adds 3 pixels a side.
constexpr int waylandTitleBarExtras = 2 * 77 - 2 * 3;
constexpr int waylandTitlePixels = 14;

bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

QString applicationTitle()
{
    return QLatin1StringView(identity::name);
}

// Each error described by its number, in the user's language.
QString describe(arith::ErrorNumber number)
{
    switch (number) {
    case arith::ErrorNumber::Overflow:
        return QCoreApplication::translate("tallivox::Runtime", "Overflow");
    case arith::ErrorNumber::DivisionByZero:
        return QCoreApplication::translate("tallivox::Runtime", "Division by zero");
    }
    return {};
}

// The box of makeMessageBox (runtime.h); besides, a close button but no
// minimise or maximise.
class MessageBox final : public QDialog {
public:
    MessageBox(const QString &text, QWidget *parent)
        : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                              | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
          text_(text)
    {
        setObjectName(QStringLiteral("messageBox"));
        setWindowTitle(applicationTitle());
        setWindowModality(Qt::ApplicationModal);
        setLayoutDirection(Qt::LeftToRight);
        setAccessibleName(applicationTitle());

        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("messageText"));
        label->setTextFormat(Qt::RichText);
        label->setText(leftToRightHtml(text));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        label->setAccessibleName(text);

        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
        buttons->setCenterButtons(true);
        QPushButton *ok = buttons->button(QDialogButtonBox::Ok);
        ok->setIcon({}); // some styles add a stock tick; a message box's OK is plain
        ok->setDefault(true);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

        // Ctrl+C copies the selection, or the whole text when nothing is
        // selected, as the Windows message box does: a result can be pasted
        // elsewhere without retyping it.
        auto *copy = new QShortcut(QKeySequence::Copy, this);
        connect(copy, &QShortcut::activated, this, [label, text] {
            QGuiApplication::clipboard()->setText(label->hasSelectedText() ? label->selectedText() : text);
        });

        auto *layout = new QVBoxLayout(this);
        layout->setSizeConstraint(QLayout::SetFixedSize);
        layout->setContentsMargins(24, 18, 24, 12);
        layout->setSpacing(16);
        layout->addWidget(label);
        layout->addWidget(buttons);
        ok->setFocus();

        // Never so narrow that the title bar cuts "Tallivox" short: room
        // for the title in the title-bar font, plus the window icon, the
        // close button and the frame's edges.
        int width = QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(applicationTitle())
                    + titleBarExtras;
        if (onWayland()) {
            QFont waylandTitle;
            waylandTitle.setPixelSize(waylandTitlePixels);
            width = std::max(width, QFontMetrics(waylandTitle).horizontalAdvance(applicationTitle())
                                        + waylandTitleBarExtras);
        }
        label->setMinimumWidth(width - layout->contentsMargins().left() - layout->contentsMargins().right());
        // Fixed before the native window exists: a window manager that reads
        // the size hints only when the box is mapped then offers no maximise.
        layout->activate();
    }

    const QString &text() const { return text_; }

private:
    const QString text_;
};

// The box as screen readers see it: an alert, as Qt's own QMessageBox is,
// whose own text is the box's text. Orca speaks an alert's title and then its
// text once: Orca 43 reads its labels, Orca 48 its own text first and labels
// only of three words or more, which would leave a result unsaid. (A dialog
// described by its text had most texts said twice.)
class MessageBoxAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit MessageBoxAccessible(MessageBox *box) : QAccessibleWidget(box, QAccessible::AlertMessage) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    using QAccessibleWidget::text;
    QString text(int start, int end) const override { return shown().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(shown().size()); }
    // Read only, with no caret or selection of its own (the label has those).
    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *start, int *end) const override
    {
        *start = *end = 0;
        return {};
    }

private:
    const QString &shown() const { return static_cast<const MessageBox *>(widget())->text(); }
};

QAccessibleInterface *alertFor(const QString &, QObject *object)
{
    auto *box = dynamic_cast<MessageBox *>(object);
    return box ? new MessageBoxAccessible(box) : nullptr;
}

} // namespace

std::unique_ptr<QDialog> makeMessageBox(const QString &text, QWidget *owner)
{
    [[maybe_unused]] static const bool alertInstalled = (QAccessible::installFactory(alertFor), true);
    return std::make_unique<MessageBox>(text, owner);
}

// As the classic box words it.
QString runTimeErrorText(arith::ErrorNumber number)
{
    return QCoreApplication::translate("tallivox::Runtime", "Run-time error '%1':\n\n%2")
        .arg(static_cast<int>(number))
        .arg(describe(number));
}

void QtRuntime::setOwner(QWidget *window)
{
    owner_ = window;
}

void QtRuntime::messageBox(const QString &text)
{
    // A guarded pointer: a window closed under the box (end of session, say)
    // takes the box with it.
    QPointer<QDialog> box = makeMessageBox(text, owner_).release();
    box->exec();
    delete box;
}

void QtRuntime::runTimeErrorBox(arith::ErrorNumber number)
{
    messageBox(runTimeErrorText(number));
}

void QtRuntime::endProgram()
{
    QApplication::closeAllWindows();
    QApplication::exit(0);
}

// Qt's Wayland plug-in can hang for ever in ~QWaylandDisplay at the end of
// the program: its event thread quits without wl_display_cancel_read().
// The plug-in reads the connection on two threads, its event thread and its
// frame-callback thread, through libwayland's prepare-read protocol: every
// read prepared must be read or cancelled, and a thread that reads waits
// until all prepared readers have. The main thread prepares the event
// thread's reads for it; if it has just done so when ~QWaylandDisplay stops
// that thread, the thread sees the quit flag and returns without cancelling.
// The frame-callback thread, stopped next, often finds the compositor's last
// events on the socket before its stop byte, enters wl_display_read_events()
// and waits for the lost read for ever, and ~QWaylandDisplay with it in
// QThread::wait(). Measured by scripts/wayland-endings without this: 37 of
// 200 ends hung on Qt 6.4.2, 20 of 200 on Qt 6.8.2, whose code there is
// unchanged; newer Qt has not been measured. The application object's
// destroyed() comes before its private part deletes the plug-in; what the
// plug-in would tear down after that (the connection, its proxies, memory)
// goes with the process anyway.
int skipWaylandTeardown(int status)
{
#if QT_VERSION < QT_VERSION_CHECK(6, 9, 0)
    if (onWayland()) {
        QObject::connect(qApp, &QObject::destroyed, [status] {
            std::fflush(nullptr);
            std::_Exit(status);
        });
    }
#endif
    return status;
}

} // namespace tallivox
