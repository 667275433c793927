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

class MessageBox final : public QDialog {
public:
    MessageBox(const QString &text, QWidget *parent) : QDialog(parent)
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

void QtRuntime::messageBox(const QString &text)
{
    // A guarded pointer: a window closed under the box (end of session, say)
    // takes the box with it.
    QPointer<QDialog> box = createMessageBox(text, QApplication::activeWindow());
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
