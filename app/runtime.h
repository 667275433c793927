#pragma once

#include <QPointer>

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

    // Reports a run-time error. The program goes on afterwards: ending it here
    // would throw away everything typed into the boxes.
    virtual void runTimeErrorBox(int number, const QString &description) = 0;

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
    void runTimeErrorBox(int number, const QString &description) override;
    void endProgram() override;

private:
    QPointer<QWidget> owner_;
};

// Returns status. On Wayland it also makes the process end with status as
// soon as the application object is gone, before the Wayland plug-in's own
// teardown, which Qt 6.4 can leave waiting forever (see runtime.cpp).
int skipWaylandTeardown(int status);

QString applicationTitle();

// "Run-time error '11':" above the description, as the classic box words it.
QString runTimeErrorText(int number, const QString &description);

// The box QtRuntime shows, built but not yet shown: application-modal, owned
// by parent, titled with the application title, the text left to right, one
// plain OK button, no icon, a close button but no minimise or maximise.
QDialog *createMessageBox(const QString &text, QWidget *parent);

} // namespace tallivox
