#include "app/program.h"

#include "app/application.h"

#include <QApplication>
#include <QLocale>
#include <QPixmap>

namespace tallivox {

Program::Program()
{
    useFirstLanguageOf(QLocale::system().uiLanguages());
    // The format named up front spares probing every image plug-in.
    QApplication::setWindowIcon(QPixmap(QStringLiteral(":/tallivox/icon.png"), "PNG"));
    window_ = std::make_unique<Form1>(runtime_);
    runtime_.setOwner(window_.get());
}

} // namespace tallivox
