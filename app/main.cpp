#include "app/application.h"
#include "app/program.h"
#include "app/runtime.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    tallivox::describeApplication();
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (const auto status = tallivox::answerCommandLine(arguments))
        return *status;

    QApplication app(argc, argv);
    tallivox::Program program;
    program.window().show();
    return tallivox::skipWaylandTeardown(QApplication::exec());
}
