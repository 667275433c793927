#include "app/application.h"
#include "app/form1.h"
#include "app/runtime.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <QPixmap>

int main(int argc, char *argv[])
{
    tallivox::describeApplication();
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (const auto status = tallivox::answerCommandLine(arguments))
        return *status;

    QApplication app(argc, argv);
    tallivox::useFirstLanguageOf(QLocale::system().uiLanguages());
    // The format named up front spares probing every image plug-in.
    QApplication::setWindowIcon(QPixmap(QStringLiteral(":/tallivox/icon.png"), "PNG"));

    tallivox::QtRuntime runtime;
    tallivox::Form1 form(runtime);
    runtime.setOwner(&form);
    form.show();
    return tallivox::skipWaylandTeardown(QApplication::exec());
}
