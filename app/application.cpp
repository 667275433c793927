#include "app/application.h"

#include "identity.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QTranslator>
#include <QWidget>

#include <cstdio>
#include <utility>

namespace tallivox {

void describeApplication()
{
    QCoreApplication::setApplicationName(QLatin1StringView(identity::name));
    QCoreApplication::setApplicationVersion(QLatin1StringView(identity::version));
    QCoreApplication::setOrganizationName(QLatin1StringView(identity::vendor));
    // Lets Linux desktops match the window to its installed menu entry.
    QGuiApplication::setDesktopFileName(QLatin1StringView(identity::appId));
}

std::optional<int> answerCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QLatin1StringView(identity::summary));
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

namespace {

// English is the language the program is written in: it needs no translation.
constexpr QLatin1StringView english("en");
constexpr QLatin1StringView persian("fa");

QTranslator &ownTranslator()
{
    static QTranslator translator;
    return translator;
}

QTranslator &qtTranslator()
{
    static QTranslator translator;
    return translator;
}

// Qt lays a popup out in the direction of the widget it opens from, and the
// window keeps the design's left to right in every language: a box's or a
// message's context menu in Persian was then laid out left to right with its
// texts aligned right to left, its shortcuts cut off at the right edge. So
// every popup takes the language's direction as Qt polishes it, before it is
// laid out: Persian menus read right to left, English ones as they were.
class PopupsFollowTheLanguage final : public QObject {
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Polish && watched->isWidgetType()) {
            auto *widget = static_cast<QWidget *>(watched);
            if (widget->windowType() == Qt::Popup)
                widget->setLayoutDirection(QGuiApplication::layoutDirection());
        }
        return false;
    }
};

// The language part of a name such as fa-IR or prs_AF, read here rather than
// by QLocale, which knows no Dari (prs): Dari is written in Persian.
QString languageOf(const QString &uiLanguage)
{
    static const QRegularExpression separators(QStringLiteral("[-_.@]"));
    const QString code = uiLanguage.section(separators, 0, 0).toLower();
    return code == QLatin1String("prs") ? QString(persian) : code;
}

// tallivox.exe carries Qt's translation inside it; on Linux it is Qt's own.
bool loadQtTranslation(const QString &language)
{
    const QString file = QStringLiteral("qtbase_") + language;
    return qtTranslator().load(file, QStringLiteral(":/i18n"))
           || qtTranslator().load(file, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

} // namespace

QString useFirstLanguageOf(const QStringList &uiLanguages)
{
    static PopupsFollowTheLanguage popups;
    QCoreApplication::instance()->installEventFilter(&popups);
    QCoreApplication::removeTranslator(&ownTranslator());
    QCoreApplication::removeTranslator(&qtTranslator());
    QString chosen = english;
    for (const QString &uiLanguage : uiLanguages) {
        const QString language = languageOf(uiLanguage);
        if (language == english || language == persian) {
            chosen = language;
            break;
        }
    }
    if (chosen == english)
        return chosen;
    // Without Qt's own translation, Qt's buttons and menus stay English; the
    // program's own texts are compiled in and always there.
    if (loadQtTranslation(chosen))
        QCoreApplication::installTranslator(&qtTranslator());
    if (ownTranslator().load(QStringLiteral("tallivox_") + chosen, QStringLiteral(":/i18n")))
        QCoreApplication::installTranslator(&ownTranslator());
    return chosen;
}

} // namespace tallivox
