#include "app/runtime.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QTextDocument>
#include <QTextOption>

namespace tallivox {

QString applicationTitle()
{
    return QStringLiteral("Tallivox");
}

QString runTimeErrorText(int number, const QString &description)
{
    return QStringLiteral("Run-time error '%1':\n\n%2").arg(number).arg(description);
}

QMessageBox *createMessageBox(const QString &text, QWidget *parent)
{
    auto *box = new QMessageBox(parent);
    box->setWindowTitle(applicationTitle());
    box->setIcon(QMessageBox::NoIcon);
    box->setTextFormat(Qt::PlainText);
    box->setText(text);
    box->setStandardButtons(QMessageBox::Ok);
    box->setDefaultButton(QMessageBox::Ok);
    box->setEscapeButton(QMessageBox::Ok);
    box->setWindowModality(Qt::ApplicationModal);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    // Selectable text is laid out by a QTextDocument, which takes the
    // paragraph direction from the first strong character: a text that begins
    // in Persian would turn right-to-left and move the Latin part to the far
    // left. The boxes are left to right; the bidi rules still order and shape
    // the Arabic runs inside.
    if (auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))) {
        if (auto *document = label->findChild<QTextDocument *>()) {
            QTextOption option = document->defaultTextOption();
            option.setTextDirection(Qt::LeftToRight);
            document->setDefaultTextOption(option);
        }
    }
    return box;
}

void QtRuntime::messageBox(const QString &text)
{
    // A guarded pointer: a window closed under the box (end of session, say)
    // takes the box with it.
    QPointer<QMessageBox> box = createMessageBox(text, QApplication::activeWindow());
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
