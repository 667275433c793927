#include "app/runtime.h"

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

class MessageBox final : public QDialog {
public:
    MessageBox(const QString &text, QWidget *parent)
        : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                              | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    {
        setObjectName(QStringLiteral("messageBox"));
        setWindowTitle(applicationTitle());
        setWindowModality(Qt::ApplicationModal);
        setLayoutDirection(Qt::LeftToRight);
        setAccessibleName(applicationTitle());
        setAccessibleDescription(text);

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
        const QFontMetrics title(QApplication::font("QMdiSubWindowTitleBar"));
        label->setMinimumWidth(title.horizontalAdvance(applicationTitle()) + titleBarExtras
                               - layout->contentsMargins().left() - layout->contentsMargins().right());
        // Fixed before the native window exists: a window manager that reads
        // the size hints only when the box is mapped then offers no maximise.
        layout->activate();
    }
};

} // namespace

QString applicationTitle()
{
    return QStringLiteral("Tallivox");
}

QString runTimeErrorText(int number, const QString &description)
{
    return QStringLiteral("Run-time error '%1':\n\n%2").arg(number).arg(description);
}

QDialog *createMessageBox(const QString &text, QWidget *parent)
{
    return new MessageBox(text, parent);
}

void QtRuntime::setOwner(QWidget *window)
{
    owner_ = window;
}

void QtRuntime::messageBox(const QString &text)
{
    // A guarded pointer: a window closed under the box (end of session, say)
    // takes the box with it.
    QPointer<QDialog> box = createMessageBox(text, owner_);
    box->exec();
    delete box;
}

void QtRuntime::runTimeErrorBox(int number, const QString &description)
{
    messageBox(runTimeErrorText(number, description));
}

void QtRuntime::endProgram()
{
    QApplication::closeAllWindows();
    QApplication::exit(0);
}

} // namespace tallivox
