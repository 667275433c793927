#include "app/form1.h"

#include "app/controls.h"
#include "app/form1_layout.h"
#include "app/runtime.h"
#include "arith/operand.h"

#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QStringView>

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

namespace tallivox {
namespace {

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

// Every control of the design, back to front, in its place and font, kept in
// its member; those that take the focus are chained by tab index.
void Form1::createControls(QWidget *client)
{
    const QStringList installed = QFontDatabase::families();
    const QFont fonts[] = {layout::fontFor(layout::Face::Bardiya, installed),
                           layout::fontFor(layout::Face::Vahid, installed),
                           layout::fontFor(layout::Face::SansSerif, installed)};
    std::vector<std::pair<int, QWidget *>> tabStops;
    for (const layout::Control &row : layout::controls()) {
        const QString caption = QString::fromUtf16(row.caption);
        QWidget *control = nullptr;
        if (row.slot.box)
            control = this->*row.slot.box = createBox(client);
        else if (row.slot.button)
            control = this->*row.slot.button = createButton(caption, client);
        else
            control = labelIn(row.slot) = createLabel(caption, client);
        control->setObjectName(QLatin1StringView(row.name));
        control->setFont(fonts[static_cast<int>(row.face)]);
        control->setGeometry(layout::twipsToPixels(row.left), layout::twipsToPixels(row.top),
                             layout::twipsToPixels(row.width), layout::twipsToPixels(row.height));
        if (control->focusPolicy() != Qt::NoFocus)
            tabStops.emplace_back(row.tabIndex, control);
    }
    chainTabs(std::move(tabStops));
}

QLabel *&Form1::labelIn(const layout::Slot &slot)
{
    return slot.label ? this->*slot.label : Label4[static_cast<std::size_t>(slot.label4)];
}

// Each box gets its own spoken name. The label beside it is no buddy: a
// buddy is exported as a labelled-by relation, and Orca then speaks the
// label ("number", the same for all eight) instead of the name; with no
// access keys in the captions a buddy would do nothing else.
void Form1::nameBoxesForScreenReaders()
{
    for (const layout::OperationGroup &group : layout::operationGroups()) {
        (this->*group.first)->setAccessibleName(tr(group.firstName));
        (this->*group.second)->setAccessibleName(tr(group.secondName));
    }
}

// Clicks, and Enter on the focused button (see eventFilter), reach the
// buttons' handlers.
void Form1::connectButtons()
{
    for (const layout::OperationGroup &group : layout::operationGroups()) {
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
    // Chosen from the keyboard, a command runs while the menu bar holds the
    // focus, and the bar keeps it once the command's boxes are gone; About
    // gives it back to the control it came from.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (now && clientArea()->isAncestorOf(now))
            lastControl_ = now;
    });

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

void Form1::run(const layout::OperationGroup &group)
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
    run(layout::operationGroups()[0]);
}

void Form1::Command2_Click()
{
    run(layout::operationGroups()[1]);
}

void Form1::Command3_Click()
{
    run(layout::operationGroups()[2]);
}

void Form1::Command4_Click()
{
    run(layout::operationGroups()[3]);
}

} // namespace tallivox
