#pragma once

// Form1's design, as it was drawn: every control's designer name, caption,
// place and size in twips, font and tab index, back to front; the four
// operation groups; and the fonts the captions are drawn in.

#include "app/form1.h"
#include "arith/operations.h"

#include <QFont>
#include <QStringList>

#include <span>

namespace tallivox::layout {

// The design is measured in twips; at 96 dots per inch 15 twips make a pixel.
constexpr int twipsToPixels(int twips)
{
    return twips / 15;
}

constexpr int clientWidthTwips = 4470;
constexpr int clientHeightTwips = 7815;

enum class Face { Bardiya, Vahid, SansSerif };

// Where Form1 keeps a control, which also says what kind it is: a label
// member, an element of the Label4 array, a box or a button.
struct Slot {
    QLabel *Form1::*label = nullptr;
    int label4 = -1;
    QLineEdit *Form1::*box = nullptr;
    QPushButton *Form1::*button = nullptr;
};
constexpr Slot label(QLabel *Form1::*member) { return {.label = member}; }
constexpr Slot label4(int index) { return {.label4 = index}; }
constexpr Slot box(QLineEdit *Form1::*member) { return {.box = member}; }
constexpr Slot button(QPushButton *Form1::*member) { return {.button = member}; }

struct Control {
    const char *name;
    Slot slot;
    const char16_t *caption;
    int left, top, width, height; // twips
    Face face;
    int tabIndex;
};

// Back to front: a later control is stacked above an earlier one, which
// decides who covers whom where they overlap by a few twips.
std::span<const Control> controls();

// What each group computes, the boxes it reads (upper first), its button and
// the handler a click reaches, and the name a screen reader speaks for each
// box, since eight boxes all labelled "number" cannot be told apart by their
// labels (translated in Form1's context).
struct OperationGroup {
    arith::Operation operation;
    QLineEdit *Form1::*first;
    QLineEdit *Form1::*second;
    QPushButton *Form1::*button;
    void (Form1::*click)();
    const char *firstName;
    const char *secondName;
};
std::span<const OperationGroup, 4> operationGroups();

// The face at the design's size and weight, in the first of its families that
// is installed.
QFont fontFor(Face face, const QStringList &installed);

} // namespace tallivox::layout
