#include "app/form1.h"

#include "app/runtime.h"
#include "arith/operand.h"
#include "arith/operations.h"
#include "identity.h"

#include <QAction>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QShortcut>
#include <QStringView>

#include <algorithm>
#include <limits>
#include <string_view>
#include <tuple>
#include <utility>
#include <variant>
#include <vector>

namespace tallivox {

// The four operation groups: what each computes, the boxes it reads (upper
// first), its button and the handler a click reaches, the label beside each
// box and the name a screen reader speaks for it, since eight boxes all
// labelled "number" cannot be told apart by their labels. A label is a
// member, or an index into the Label4 array.
using LabelSlot = std::variant<QLabel *Form1::*, std::size_t>;
struct OperationGroup {
    arith::Operation operation;
    QLineEdit *Form1::*first;
    QLineEdit *Form1::*second;
    QPushButton *Form1::*button;
    void (Form1::*click)();
    LabelSlot firstLabel;
    LabelSlot secondLabel;
    const char *firstName;
    const char *secondName;
};

namespace {

// The design is measured in twips; at 96 dots per inch 15 twips make a pixel.
// Font sizes go through the same rule (1 pt = 20 twips), so the text keeps
// its proportion to the controls whatever the screen's font settings.
constexpr int twipsToPixels(int twips)
{
    return twips / 15;
}

enum class Face { Bardiya, Vahid, SansSerif };

// Where Form1 keeps a control, which also says what kind of control it is;
// a plain index stands for an element of the Label4 array.
using Slot = std::variant<QLabel *Form1::*, std::size_t, QLineEdit *Form1::*, QPushButton *Form1::*>;

struct ControlRow {
    Slot slot;
    const char *name;
    const char16_t *caption;
    int left, top, width, height; // twips
    Face face;
    int tabIndex;
};

constexpr const char16_t *number = u"\u0639\u062F\u062F";                      // "number"
constexpr const char16_t *sum = u"\u062C\u0645\u0639";                         // "sum"
constexpr const char16_t *subtraction = u"\u062A\u0641\u0631\u064A\u0642";     // "subtraction"
constexpr const char16_t *multiplication = u"\u0636\u0631\u0628";              // "multiplication"
constexpr const char16_t *division = u"\u062A\u0642\u0633\u064A\u0645";        // "division"

// Back to front: a later row is stacked above an earlier one, which decides
// who covers whom where the controls overlap by a few twips.
constexpr ControlRow layoutTable[] = {
    {&Form1::Label1, "Label1", u"Tallivox Created  By KelVastO (KV)", 840, 7440, 2775, 375, Face::SansSerif, 12},
    {&Form1::Label2, "Label2", number, 960, 120, 615, 495, Face::Bardiya, 13},
    {&Form1::Label3, "Label3", number, 960, 480, 615, 495, Face::Bardiya, 14},
    {std::size_t{0}, "Label4_0", number, 960, 2040, 375, 375, Face::Bardiya, 15},
    {&Form1::Label5, "Label5", number, 960, 2400, 495, 375, Face::Bardiya, 16},
    {std::size_t{1}, "Label4_1", number, 960, 3840, 375, 375, Face::Bardiya, 17},
    {std::size_t{2}, "Label4_2", number, 960, 4200, 375, 375, Face::Bardiya, 18},
    {std::size_t{3}, "Label4_3", number, 960, 5640, 375, 375, Face::Bardiya, 19},
    {std::size_t{4}, "Label4_4", number, 960, 6000, 375, 375, Face::Bardiya, 20},
    {&Form1::Command1, "Command1", sum, 1200, 1200, 1935, 660, Face::Vahid, 0},
    {&Form1::Text1, "Text1", u"", 1440, 240, 1335, 405, Face::SansSerif, 1},
    {&Form1::Text2, "Text2", u"", 1440, 600, 1335, 375, Face::SansSerif, 2},
    {&Form1::Text3, "Text3", u"", 1440, 2040, 1335, 405, Face::SansSerif, 3},
    {&Form1::Text4, "Text4", u"", 1440, 2400, 1335, 375, Face::SansSerif, 4},
    {&Form1::Command2, "Command2", subtraction, 1200, 3000, 1935, 615, Face::Vahid, 5},
    {&Form1::Text5, "Text5", u"", 1440, 3840, 1335, 375, Face::SansSerif, 6},
    {&Form1::Text6, "Text6", u"", 1440, 4200, 1335, 405, Face::SansSerif, 7},
    {&Form1::Command3, "Command3", multiplication, 1200, 4800, 1935, 615, Face::Vahid, 8},
    {&Form1::Text7, "Text7", u"", 1440, 5640, 1335, 375, Face::SansSerif, 9},
    {&Form1::Text8, "Text8", u"", 1440, 6000, 1335, 375, Face::SansSerif, 10},
    {&Form1::Command4, "Command4", division, 1200, 6600, 1935, 615, Face::Vahid, 11},
};

constexpr OperationGroup operationGroups[] = {
    {arith::Operation::Add, &Form1::Text1, &Form1::Text2, &Form1::Command1, &Form1::Command1_Click,
     &Form1::Label2, &Form1::Label3, QT_TRANSLATE_NOOP("tallivox::Form1", "First number to add"),
     QT_TRANSLATE_NOOP("tallivox::Form1", "Second number to add")},
    {arith::Operation::Subtract, &Form1::Text3, &Form1::Text4, &Form1::Command2, &Form1::Command2_Click,
     std::size_t{0}, &Form1::Label5, QT_TRANSLATE_NOOP("tallivox::Form1", "Number to subtract from"),
     QT_TRANSLATE_NOOP("tallivox::Form1", "Number to subtract")},
    {arith::Operation::Multiply, &Form1::Text5, &Form1::Text6, &Form1::Command3, &Form1::Command3_Click,
     std::size_t{1}, std::size_t{2}, QT_TRANSLATE_NOOP("tallivox::Form1", "First number to multiply"),
     QT_TRANSLATE_NOOP("tallivox::Form1", "Second number to multiply")},
    {arith::Operation::Divide, &Form1::Text7, &Form1::Text8, &Form1::Command4, &Form1::Command4_Click,
     std::size_t{3}, std::size_t{4}, QT_TRANSLATE_NOOP("tallivox::Form1", "Number to divide"),
     QT_TRANSLATE_NOOP("tallivox::Form1", "Number to divide by")},
};

constexpr int clientWidthTwips = 4470;
constexpr int clientHeightTwips = 7815;

// The Persian design fonts are rarely installed. Tahoma and Segoe UI carry
// Arabic script on every Windows machine; Nazli is the Persian font the
// Debian packages bring.
QStringList familiesFor(Face face)
{
    switch (face) {
    case Face::Bardiya:
        return {QStringLiteral("Far.Bardiya"), QStringLiteral("Tahoma"), QStringLiteral("Segoe UI"),
                QStringLiteral("Nazli")};
    case Face::Vahid:
        return {QStringLiteral("Far.Vahid"), QStringLiteral("Tahoma"), QStringLiteral("Segoe UI"),
                QStringLiteral("Nazli")};
    case Face::SansSerif:
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
// installed family gives the same font for less.
QStringList installedFirst(const QStringList &families, const QStringList &installed)
{
    for (const QString &family : families) {
        if (installed.contains(family, Qt::CaseInsensitive))
            return {family};
    }
    return families;
}

QFont fontFor(Face face, const QStringList &installed)
{
    QFont font;
    font.setFamilies(installedFirst(familiesFor(face), installed));
    const bool persian = face != Face::SansSerif;
    font.setWeight(persian ? QFont::Bold : QFont::Normal);
    // 11.25 pt, 20.25 pt and 8.25 pt, in twips.
    const int sizeTwips = face == Face::Bardiya ? 225 : face == Face::Vahid ? 405 : 165;
    font.setPixelSize(twipsToPixels(sizeTwips));
    return font;
}

QString captionOf(const ControlRow &row)
{
    return QString::fromUtf16(row.caption);
}

// The style's own focus cue on a button is a faint one-pixel line, easy to
// miss on the dark window. While it has the focus, a control also draws a
// two-pixel ring just inside its edge in the colour of its own text, so the
// ring stands out from the control's face as its text does.
template <class Control>
class Focusable final : public Control {
public:
    using Control::Control;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        Control::paintEvent(event);
        if (!this->hasFocus())
            return;
        const QRect outer = this->rect().adjusted(2, 2, -2, -2);
        QPainter painter(this);
        painter.setClipRegion(QRegion(outer).subtracted(QRegion(outer.adjusted(2, 2, -2, -2))));
        painter.fillRect(outer, this->palette().color(this->foregroundRole()));
    }
};

// Qt lays out text that begins with an Arabic letter right to left, which
// would turn a left alignment into a right one; the design wants the text at
// the left edge whatever it begins with.
constexpr Qt::Alignment leftEdge = Qt::AlignLeft | Qt::AlignAbsolute;

QLabel *createLabel(const ControlRow &row, QWidget *parent)
{
    auto *label = new QLabel(captionOf(row), parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(leftEdge | Qt::AlignTop);
    label->setAutoFillBackground(true);
    label->setBackgroundRole(QPalette::Button);
    label->setForegroundRole(QPalette::ButtonText);
    return label;
}

QLineEdit *createBox(QWidget *parent)
{
    auto *box = new Focusable<QLineEdit>(parent);
    // QLineEdit stops at 32767 characters by default; the boxes have no
    // limit of their own, and a silently cut paste would lose data.
    box->setMaxLength(std::numeric_limits<int>::max());
    box->setAlignment(leftEdge | Qt::AlignVCenter);
    return box;
}

QPushButton *createButton(const ControlRow &row, QWidget *parent)
{
    auto *button = new Focusable<QPushButton>(captionOf(row), parent);
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

template <class... Handlers>
struct Overloaded : Handlers... {
    using Handlers::operator()...;
};

QLabel *labelIn(const Form1 &form, const LabelSlot &slot)
{
    return std::visit(Overloaded{[&form](QLabel *Form1::*member) { return form.*member; },
                                 [&form](std::size_t index) { return form.Label4[index]; }},
                      slot);
}

// Paints the window's background colour with the picture at its natural
// size in the top-left corner; the controls sit on top.
class ClientArea final : public QWidget {
public:
    explicit ClientArea(QWidget *parent)
        : QWidget(parent), picture_(QStringLiteral(":/tallivox/background.png"), "PNG")
    {
    }

    QSize sizeHint() const override
    {
        return {twipsToPixels(clientWidthTwips), twipsToPixels(clientHeightTwips)};
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(QLatin1StringView(identity::windowColour)));
        painter.drawPixmap(0, 0, picture_);
    }

private:
    QPixmap picture_;
};

std::u16string_view textOf(const QLineEdit &box)
{
    const QString &text = box.text();
    return {QStringView(text).utf16(), static_cast<std::size_t>(text.size())};
}

// Gives the focus to each control in turn by its tab index, lowest first.
void chainTabs(std::vector<std::pair<int, QWidget *>> stops)
{
    std::sort(stops.begin(), stops.end());
    for (std::size_t i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(stops[i - 1].second, stops[i].second);
}

} // namespace

Form1::Form1(Runtime &runtime, QWidget *parent) : QMainWindow(parent), runtime_(runtime)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tallivox By KV"));
    // A right-to-left language turns Qt's layouts around; the design's places,
    // alignments and menu order stay as drawn in every language.
    setLayoutDirection(Qt::LeftToRight);

    auto *client = new ClientArea(this);
    client->setObjectName(QStringLiteral("clientArea"));
    setCentralWidget(client);

    createControls(client);
    nameBoxesForScreenReaders();
    connectButtons();
    createMenuBar();

    resize(sizeHint());
    Command1->setFocus();
}

Form1::~Form1() = default;

// Every control of the layout table, back to front, in its place and font,
// kept in its member; those that take the focus are chained by tab index.
void Form1::createControls(QWidget *client)
{
    const QStringList installed = QFontDatabase::families();
    const QFont fonts[] = {fontFor(Face::Bardiya, installed), fontFor(Face::Vahid, installed),
                           fontFor(Face::SansSerif, installed)};
    std::vector<std::pair<int, QWidget *>> tabStops;
    for (const ControlRow &row : layoutTable) {
        QWidget *control = std::visit(
            Overloaded{
                [&](QLabel *Form1::*slot) -> QWidget * { return this->*slot = createLabel(row, client); },
                [&](std::size_t index) -> QWidget * { return Label4[index] = createLabel(row, client); },
                [&](QLineEdit *Form1::*slot) -> QWidget * { return this->*slot = createBox(client); },
                [&](QPushButton *Form1::*slot) -> QWidget * { return this->*slot = createButton(row, client); },
            },
            row.slot);
        control->setObjectName(QLatin1StringView(row.name));
        control->setFont(fonts[static_cast<int>(row.face)]);
        control->setGeometry(twipsToPixels(row.left), twipsToPixels(row.top), twipsToPixels(row.width),
                             twipsToPixels(row.height));
        if (control->focusPolicy() != Qt::NoFocus)
            tabStops.emplace_back(row.tabIndex, control);
    }
    chainTabs(std::move(tabStops));
}

// Each box gets its own spoken name and the label beside it as buddy.
void Form1::nameBoxesForScreenReaders()
{
    for (const OperationGroup &group : operationGroups) {
        (this->*group.first)->setAccessibleName(tr(group.firstName));
        (this->*group.second)->setAccessibleName(tr(group.secondName));
        labelIn(*this, group.firstLabel)->setBuddy(this->*group.first);
        labelIn(*this, group.secondLabel)->setBuddy(this->*group.second);
    }
}

// Clicks, and Enter on the focused button (see eventFilter), reach the
// buttons' handlers.
void Form1::connectButtons()
{
    for (const OperationGroup &group : operationGroups) {
        (this->*group.button)->installEventFilter(this);
        connect(this->*group.button, &QPushButton::clicked, this, group.click);
    }
}

// About and Exit, and F10 to reach them from the keyboard.
void Form1::createMenuBar()
{
    // Kept inside the window on every platform (no global menu bar), so the
    // client area sits below it as designed.
    menuBar()->setNativeMenuBar(false);
    About = menuBar()->addAction(QStringLiteral("About"));
    About->setObjectName(QStringLiteral("About"));
    Exit = menuBar()->addAction(QStringLiteral("Exit"));
    Exit->setObjectName(QStringLiteral("Exit"));
    connect(About, &QAction::triggered, this, &Form1::About_Click);
    connect(Exit, &QAction::triggered, this, &Form1::Exit_Click);

    // F10 opens the menu bar, as on Windows and KDE: it does what a tap of
    // Alt does, so arrows, Enter and Escape then behave the same way. A key
    // event for Alt itself reports the modifiers as they are after it.
    auto *menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this] {
        QKeyEvent press(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::NoModifier);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::AltModifier);
        QCoreApplication::sendEvent(this, &press);
        QCoreApplication::sendEvent(this, &release);
    });
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    // Outside a dialog a QPushButton ignores Enter; here Enter on the focused
    // button clicks it, as Space does.
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && !key->isAutoRepeat()) {
            if (auto *button = qobject_cast<QPushButton *>(watched)) {
                button->click();
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void Form1::run(const OperationGroup &group)
{
    try {
        const double firstValue = arith::operandValue(textOf(*(this->*group.first)));
        const double secondValue = arith::operandValue(textOf(*(this->*group.second)));
        const std::int16_t result = arith::calculate(group.operation, firstValue, secondValue);
        // QString::number ignores the locale: always 0-9 and a plain "-".
        runtime_.messageBox(QString::number(result));
    } catch (const arith::RunTimeError &error) {
        runtime_.runTimeErrorBox(error.number());
    }
}

void Form1::Command1_Click()
{
    run(operationGroups[0]);
}

void Form1::Command2_Click()
{
    run(operationGroups[1]);
}

void Form1::Command3_Click()
{
    run(operationGroups[2]);
}

void Form1::Command4_Click()
{
    run(operationGroups[3]);
}

} // namespace tallivox
