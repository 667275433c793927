#include "app/form1_layout.h"

#include <QCoreApplication>
#include <QFontDatabase>

namespace tallivox::layout {
namespace {

constexpr const char16_t *number = u"\u0639\u062F\u062F";                  // "number"
constexpr const char16_t *sum = u"\u062C\u0645\u0639";                     // "sum"
constexpr const char16_t *subtraction = u"\u062A\u0641\u0631\u064A\u0642"; // "subtraction"
constexpr const char16_t *multiplication = u"\u0636\u0631\u0628";          // "multiplication"
constexpr const char16_t *division = u"\u062A\u0642\u0633\u064A\u0645";    // "division"

using enum Face;

constexpr Control table[] = {
    {"Label1", label(&Form1::Label1), u"Tallivox Created  By KelVastO (KV)", 840, 7440, 2775, 375, SansSerif, 12},
    {"Label2", label(&Form1::Label2), number, 960, 120, 615, 495, Bardiya, 13},
    {"Label3", label(&Form1::Label3), number, 960, 480, 615, 495, Bardiya, 14},
    {"Label4_0", label4(0), number, 960, 2040, 375, 375, Bardiya, 15},
    {"Label5", label(&Form1::Label5), number, 960, 2400, 495, 375, Bardiya, 16},
    {"Label4_1", label4(1), number, 960, 3840, 375, 375, Bardiya, 17},
    {"Label4_2", label4(2), number, 960, 4200, 375, 375, Bardiya, 18},
    {"Label4_3", label4(3), number, 960, 5640, 375, 375, Bardiya, 19},
    {"Label4_4", label4(4), number, 960, 6000, 375, 375, Bardiya, 20},
    {"Command1", button(&Form1::Command1), sum, 1200, 1200, 1935, 660, Vahid, 0},
    {"Text1", box(&Form1::Text1), u"", 1440, 240, 1335, 405, SansSerif, 1},
    {"Text2", box(&Form1::Text2), u"", 1440, 600, 1335, 375, SansSerif, 2},
    {"Text3", box(&Form1::Text3), u"", 1440, 2040, 1335, 405, SansSerif, 3},
    {"Text4", box(&Form1::Text4), u"", 1440, 2400, 1335, 375, SansSerif, 4},
    {"Command2", button(&Form1::Command2), subtraction, 1200, 3000, 1935, 615, Vahid, 5},
    {"Text5", box(&Form1::Text5), u"", 1440, 3840, 1335, 375, SansSerif, 6},
    {"Text6", box(&Form1::Text6), u"", 1440, 4200, 1335, 405, SansSerif, 7},
    {"Command3", button(&Form1::Command3), multiplication, 1200, 4800, 1935, 615, Vahid, 8},
    {"Text7", box(&Form1::Text7), u"", 1440, 5640, 1335, 375, SansSerif, 9},
    {"Text8", box(&Form1::Text8), u"", 1440, 6000, 1335, 375, SansSerif, 10},
    {"Command4", button(&Form1::Command4), division, 1200, 6600, 1935, 615, Vahid, 11},
};

constexpr OperationGroup groups[] = {
    {arith::Operation::Add, &Form1::Text1, &Form1::Text2, &Form1::Command1, &Form1::Command1_Click,
     QT_TRANSLATE_NOOP("tallivox::Form1", "First number to add"),
     QT_TRANSLATE_NOOP("tallivox::Form1", "Second number to add")},
    {arith::Operation::Subtract, &Form1::Text3, &Form1::Text4, &Form1::Command2, &Form1::Command2_Click,
     QT_TRANSLATE_NOOP("tallivox::Form1", "Number to subtract from"),
     QT_TRANSLATE_NOOP("tallivox::Form1", "Number to subtract")},
    {arith::Operation::Multiply, &Form1::Text5, &Form1::Text6, &Form1::Command3, &Form1::Command3_Click,
     QT_TRANSLATE_NOOP("tallivox::Form1", "First number to multiply"),
     QT_TRANSLATE_NOOP("tallivox::Form1", "Second number to multiply")},
    {arith::Operation::Divide, &Form1::Text7, &Form1::Text8, &Form1::Command4, &Form1::Command4_Click,
     QT_TRANSLATE_NOOP("tallivox::Form1", "Number to divide"),
     QT_TRANSLATE_NOOP("tallivox::Form1", "Number to divide by")},
};

// The Persian design fonts are rarely installed. Tahoma and Segoe UI carry
// Arabic script on every Windows machine; Nazli is the Persian font the
// Debian packages bring.
QStringList familiesFor(Face face)
{
    switch (face) {
    case Bardiya:
        return {QStringLiteral("Far.Bardiya"), QStringLiteral("Tahoma"), QStringLiteral("Segoe UI"),
                QStringLiteral("Nazli")};
    case Vahid:
        return {QStringLiteral("Far.Vahid"), QStringLiteral("Tahoma"), QStringLiteral("Segoe UI"),
                QStringLiteral("Nazli")};
    case SansSerif:
        break;
    }
    // Liberation Sans has Arial's metrics, close to MS Sans Serif's; the
    // credit label was drawn for a font that narrow.
    return {QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
            QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
}

// Qt resolves a family list by asking the system about each missing family
// in turn; on Linux, where the first two or three are missing, that cost more
// than everything else the window does at start-up. Handing Qt just the first
// installed family gives the same font for less. A bitmap font does not
// count: MS Sans Serif, on every Windows and in Wine 10, comes in a few
// sizes only, and asked for 11 pixels it draws its 13-pixel face, too wide
// for the credit label; Microsoft Sans Serif, next, scales to any size.
QStringList installedFirst(const QStringList &families, const QStringList &installed)
{
    for (const QString &family : families) {
        if (installed.contains(family, Qt::CaseInsensitive) && QFontDatabase::isSmoothlyScalable(family))
            return {family};
    }
    return families;
}

} // namespace

std::span<const Control> controls()
{
    return table;
}

std::span<const OperationGroup, 4> operationGroups()
{
    return groups;
}

QFont fontFor(Face face, const QStringList &installed)
{
    QFont font;
    font.setFamilies(installedFirst(familiesFor(face), installed));
    font.setWeight(face == SansSerif ? QFont::Normal : QFont::Bold);
    // 11.25 pt, 20.25 pt and 8.25 pt, in twips (1 pt = 20 twips): the text
    // keeps its proportion to the controls whatever the screen's settings.
    const int sizeTwips = face == Bardiya ? 225 : face == Vahid ? 405 : 165;
    font.setPixelSize(twipsToPixels(sizeTwips));
    return font;
}

} // namespace tallivox::layout
