// About and Exit, the two commands of Form1's menu bar.
#include "app/form1.h"
#include "app/runtime.h"
#include "identity.h"

#include <QMenuBar>
#include <QString>

#include <string_view>

namespace tallivox {
namespace {

// The credit and farewell texts. Each keeps its blank at both ends, and the
// letter yeh is U+064A ARABIC LETTER YEH, as in the program's first release.
// "The program's maker: " before the maker's name, the identity's author.
constexpr std::u16string_view makerText =
    u" \u0633\u0627\u0632\u0646\u062F\u0647 \u064A \u0628\u0631\u0646\u0627\u0645\u0647 : ";
// "My website: " before the maker's address, the identity's home page.
constexpr std::u16string_view websiteText = u" \u0648\u0628\u0633\u0627\u064A\u062A \u0645\u0646 : ";
constexpr std::u16string_view waitingText =
    u" \u0645\u0646\u062A\u0638\u0631 \u0634\u0645\u0627 \u0647\u0633\u062A\u0645 :) ";

constexpr std::u16string_view farewellText =
    u" \u0627\u0645\u064A\u062F\u0648\u0627\u0631\u0645 \u0644\u0630\u062A \u0628\u0631\u062F\u0647 \u0628\u0627\u0634\u064A\u062F ";

QString toQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

// Shows the three credits, each after the previous one is dismissed.
void Form1::About_Click()
{
    const QString credits[] = {toQString(makerText) + QLatin1StringView(identity::author) + QLatin1Char(' '),
                               toQString(websiteText) + QLatin1StringView(identity::homepage) + QLatin1Char(' '),
                               toQString(waitingText)};
    for (const QString &text : credits)
        runtime_.messageBox(text);
    // From the keyboard: the focus, and a screen reader with it, back where it was.
    if (focusWidget() == menuBar() && lastControl_)
        lastControl_->setFocus();
}

// Says goodbye, then ends the program however the box was dismissed.
void Form1::Exit_Click()
{
    runtime_.messageBox(toQString(farewellText));
    runtime_.endProgram();
}

} // namespace tallivox
