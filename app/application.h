#pragma once

#include <QStringList>

#include <optional>

namespace tallivox {

// Gives Qt the program's name, version and maker, which the title bar,
// --version and the desktop's menu entry read. Needs no application object.
void describeApplication();

// Answers --help and --version, and rejects what the program does not take,
// before any window system is touched, so all of it works without a display.
// Returns the exit status when the command line has been answered, nothing
// when the window should open.
std::optional<int> answerCommandLine(const QStringList &arguments);

// Speaks the first of the user's languages that Tallivox has (English, in
// which it is written, or Persian, Dari among it): installs the program's own
// translation and Qt's for it, or none for English, and lays out every popup
// Qt opens, its menus, in that language's direction. Returns the language's
// code. Called again, it first takes back what the previous call installed.
QString useFirstLanguageOf(const QStringList &uiLanguages);

} // namespace tallivox
