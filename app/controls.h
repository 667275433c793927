#pragma once

// The kinds of control Form1 is made of, each made the way the design wants
// it, and the client area they sit on.

#include <QPixmap>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tallivox {

// Left-aligned, no border, the button face's colours.
QLabel *createLabel(const QString &caption, QWidget *parent);
// Empty, left-aligned, no length limit of its own.
QLineEdit *createBox(QWidget *parent);
// A plain push button, never a default button.
QPushButton *createButton(const QString &caption, QWidget *parent);

// The window's background colour with the background picture at its natural
// size in the top-left corner; the controls sit on top. Its size hint is the
// design's client area.
class ClientArea final : public QWidget {
public:
    explicit ClientArea(QWidget *parent);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap picture_;
};

} // namespace tallivox
