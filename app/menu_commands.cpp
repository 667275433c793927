#include "app/menu_commands.h"

#include "app/form1.h"
#include "app/runtime.h"

#include <QString>

namespace tallivox {
namespace {

QString toQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void showCredits(Runtime &runtime)
{
    for (const std::u16string_view text : creditTexts)
        runtime.messageBox(toQString(text));
}

void sayFarewellAndEnd(Runtime &runtime)
{
    runtime.messageBox(toQString(farewellText));
    runtime.endProgram();
}

void Form1::About_Click()
{
    showCredits(runtime_);
}

void Form1::Exit_Click()
{
    sayFarewellAndEnd(runtime_);
}

} // namespace tallivox
