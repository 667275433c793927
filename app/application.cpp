#include "app/application.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>
#include <utility>

namespace tallivox {

void describeApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("Tallivox"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TALLIVOX_VERSION));
    QCoreApplication::setOrganizationName(QStringLiteral("KelVastO"));
    // Lets Linux desktops match the window to its installed menu entry.
    QGuiApplication::setDesktopFileName(QStringLiteral(TALLIVOX_APP_ID));
}

std::optional<int> answerCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A four-operation calculator: adds, subtracts, multiplies and divides two numbers."));
    // One dash before a whole word, as in -platform: the way Qt spells the
    // options that QApplication takes later.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Displays this help."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    // Qt's own options, each with whether it takes a value; hidden from --help.
    const std::pair<const char *, bool> qtOptions[] = {
        {"platform", true}, {"platformpluginpath", true}, {"platformtheme", true}, {"plugin", true},
        {"qwindowgeometry", true}, {"qwindowicon", true}, {"qwindowtitle", true}, {"session", true},
        {"display", true}, {"geometry", true}, {"style", true}, {"stylesheet", true}, {"qmljsdebugger", true},
        {"reverse", false}, {"widgetcount", false}};
    for (const auto &[name, takesValue] : qtOptions) {
        QCommandLineOption qt(QString::fromLatin1(name), QString(), takesValue ? QStringLiteral("value") : QString());
        qt.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(qt);
    }

    const QString program = QFileInfo(arguments.value(0, QStringLiteral("tallivox"))).fileName();
    if (!parser.parse(arguments) || !parser.positionalArguments().isEmpty()) {
        const QString error = parser.errorText().isEmpty()
            ? QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().constFirst())
            : parser.errorText();
        std::fprintf(stderr, "%s: %s\nTry '%s --help'.\n", qPrintable(program), qPrintable(error), qPrintable(program));
        return 1;
    }
    if (parser.isSet(help)) {
        std::fputs(qPrintable(parser.helpText().replace(QLatin1String("<executable_name>"), program)), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()),
                    qPrintable(QCoreApplication::applicationVersion()));
        return 0;
    }
    return std::nullopt;
}

} // namespace tallivox
