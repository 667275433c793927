#pragma once

// Form1 is the program's only window. Its client area is one plain widget on
// which every control sits at a fixed pixel position taken from the design's
// table (form1_layout.cpp, in twips, 15 to a pixel, as the design was drawn);
// each row also names the member below that keeps the control. No Qt layout
// manages them, so resizing the window moves nothing. Controls are created
// back to front, which gives the stacking order where they overlap, and the
// Tab chain follows the table's tab indices. Clicks reach handlers named
// after their control; those talk to message boxes and to the end of the
// program only through the Runtime passed in.

#include <QMainWindow>
#include <QPointer>

#include <array>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tallivox {

class Runtime;
namespace layout {
struct OperationGroup;
struct Slot;
} // namespace layout

class Form1 : public QMainWindow {
    Q_OBJECT

public:
    explicit Form1(Runtime &runtime, QWidget *parent = nullptr);
    ~Form1() override;

    // Designer names, kept so the code reads like the window's design.
    QLineEdit *Text1 = nullptr;
    QLineEdit *Text2 = nullptr;
    QLineEdit *Text3 = nullptr;
    QLineEdit *Text4 = nullptr;
    QLineEdit *Text5 = nullptr;
    QLineEdit *Text6 = nullptr;
    QLineEdit *Text7 = nullptr;
    QLineEdit *Text8 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;
    QPushButton *Command4 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    std::array<QLabel *, 5> Label4{};
    QLabel *Label5 = nullptr;
    QAction *About = nullptr;
    QAction *Exit = nullptr;

    // The client area, whose top-left corner the layout table measures from.
    QWidget *clientArea() const { return centralWidget(); }

public slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void About_Click();
    void Exit_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls(QWidget *client);
    void nameBoxesForScreenReaders();
    void connectButtons();
    void createMenuBar();
    // The label member, or the Label4 element, that a slot names.
    QLabel *&labelIn(const layout::Slot &slot);
    // Reads the group's two boxes, computes and shows the result or the error.
    void run(const layout::OperationGroup &group);

    Runtime &runtime_;
    // The box or button that last had the focus.
    QPointer<QWidget> lastControl_;
};

} // namespace tallivox
