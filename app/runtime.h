#pragma once

#include "arith/run_time_error.h"

#include <QPointer>

#include <memory>

class QDialog;
class QString;
class QWidget;

namespace tallivox {

// The services every command handler uses. The window reaches message boxes
// and the end of the program only through this interface, so tests can put a
// recording stand-in where the real modal boxes would block.
class Runtime {
public:
    virtual ~Runtime() = default;

    // Shows one text in a modal box titled with the application title and
    // returns once the user has dismissed it.
    virtual void messageBox(const QString &text) = 0;

    // Reports a run-time error: its number, and what it means in the
    // user's language. The program goes on afterwards: ending it here would
    // throw away everything typed into the boxes.
    virtual void runTimeErrorBox(arith::ErrorNumber number) = 0;

    // Ends the program: no further handler runs and the window goes away.
    virtual void endProgram() = 0;
};

// The real services: Qt message boxes and the application's event loop.
class QtRuntime final : public Runtime {
public:
    // The window every box belongs to: a box stays over it, centred, and
    // never shows up on its own in a taskbar or on another screen.
    void setOwner(QWidget *window);

    void messageBox(const QString &text) override;
    void runTimeErrorBox(arith::ErrorNumber number) override;
    void endProgram() override;

private:
    QPointer<QWidget> owner_;
};

// The box QtRuntime shows, made but not yet shown: application-modal, owned
// by owner, titled with the application title, the text left to right, one
// plain OK button, no icon. The tests look at it without blocking on it.
std::unique_ptr<QDialog> makeMessageBox(const QString &text, QWidget *owner);

// "Run-time error '11':" above the error's description, in the user's
// language; the number in the digits 0-9, as results are.
QString runTimeErrorText(arith::ErrorNumber number);

// Returns status. On Wayland, with the Qt versions whose plug-in can hang at
// the end of the program, the process also ends with status once the
// application object is gone; runtime.cpp says why.
int skipWaylandTeardown(int status);

} // namespace tallivox
