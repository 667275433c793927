#include "app/form1.h"
#include "app/runtime.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tallivox"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    QApplication::setOrganizationName(QStringLiteral("KelVastO"));
    // Lets Linux desktops match the window to its installed menu entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.kelvasto.Tallivox"));
    // The format named up front spares probing every image plug-in.
    QApplication::setWindowIcon(QPixmap(QStringLiteral(":/tallivox/icon.png"), "PNG"));

    tallivox::QtRuntime runtime;
    tallivox::Form1 form(runtime);
    runtime.setOwner(&form);
    form.show();
    return QApplication::exec();
}
