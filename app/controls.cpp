#include "app/controls.h"

#include "app/form1_layout.h"
#include "identity.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include <limits>

namespace tallivox {
namespace {

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

} // namespace

QLabel *createLabel(const QString &caption, QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
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

QPushButton *createButton(const QString &caption, QWidget *parent)
{
    auto *button = new Focusable<QPushButton>(caption, parent);
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

ClientArea::ClientArea(QWidget *parent)
    : QWidget(parent), picture_(QStringLiteral(":/tallivox/background.png"), "PNG")
{
}

QSize ClientArea::sizeHint() const
{
    return {layout::twipsToPixels(layout::clientWidthTwips), layout::twipsToPixels(layout::clientHeightTwips)};
}

void ClientArea::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(QLatin1StringView(identity::windowColour)));
    painter.drawPixmap(0, 0, picture_);
}

} // namespace tallivox
