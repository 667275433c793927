// Click-to-box latency: clicks a button whose handler opens a modal box, and
// times each click from the click until the box has painted once; the box is
// then closed at once. Prints one line of nanosecond samples.
//
//   click_latency tallivox N         Tallivox's division button, 7 / 2
//   click_latency tallivox-long N    the same with a million-character operand
//   click_latency bare N W H         a bare button that opens a QMessageBox,
//                                    in a window of Tallivox's size
#include "app/form1.h"
#include "app/runtime.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Notes the first paint inside any dialog and closes that dialog right after.
class BoxPainted final : public QObject {
public:
    Clock::time_point paintedAt;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint || !watched->isWidgetType())
            return false;
        auto *dialog = qobject_cast<QDialog *>(static_cast<QWidget *>(watched)->window());
        if (!dialog || dialog->property("painted").toBool())
            return false;
        dialog->setProperty("painted", true);
        paintedAt = Clock::now();
        QMetaObject::invokeMethod(dialog, &QDialog::accept, Qt::QueuedConnection);
        return false;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool bare = argc > 1 && std::strcmp(argv[1], "bare") == 0;
    if (argc < (bare ? 5 : 3)) {
        std::fprintf(stderr, "usage: click_latency tallivox|tallivox-long CLICKS | bare CLICKS WIDTH HEIGHT\n");
        return 2;
    }
    const int clicks = std::atoi(argv[2]);

    tallivox::QtRuntime runtime;
    std::unique_ptr<QWidget> window;
    QPushButton *button = nullptr;
    if (bare) {
        window = std::make_unique<QWidget>();
        window->resize(std::atoi(argv[3]), std::atoi(argv[4]));
        button = new QPushButton(QStringLiteral("Go"), window.get());
        QObject::connect(button, &QPushButton::clicked, window.get(), [&window] {
            QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tallivox"), QStringLiteral("4"),
                            QMessageBox::Ok, window.get());
            box.exec();
        });
    } else {
        auto form = std::make_unique<tallivox::Form1>(runtime);
        const bool longOperand = std::strcmp(argv[1], "tallivox-long") == 0;
        form->Text7->setText(longOperand ? QStringLiteral("0.") + QString(999'998, QLatin1Char('5'))
                                         : QStringLiteral("7"));
        form->Text8->setText(longOperand ? QStringLiteral("1") : QStringLiteral("2"));
        button = form->Command4;
        window = std::move(form);
    }
    window->show();
    QApplication::processEvents();

    BoxPainted probe;
    app.installEventFilter(&probe);
    std::vector<long long> samples;
    for (int i = 0; i < clicks; ++i) {
        const Clock::time_point clickedAt = Clock::now();
        button->click();
        samples.push_back(std::chrono::duration_cast<std::chrono::nanoseconds>(probe.paintedAt - clickedAt).count());
    }
    for (const long long sample : samples)
        std::printf("%lld ", sample);
    std::printf("\n");
    return 0;
}
