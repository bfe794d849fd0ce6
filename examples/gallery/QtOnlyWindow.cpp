// SPDX-License-Identifier: MIT
// The Qt-only anchor window and the idle measurement.
#include "QtOnlyWindow.h"

#include <QEventLoop>
#include <QLCDNumber>
#include <QLabel>
#include <QProgressBar>
#include <QRandomGenerator>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>

#include <sys/resource.h>

namespace jxt::gallery {

namespace {

double ProcessSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval &t) {
        return double(t.tv_sec) + double(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// A repeating timer owned by parent that runs step.
template <typename Step> void Every(QObject *parent, int ms, Step step)
{
    auto *timer = new QTimer(parent);
    QObject::connect(timer, &QTimer::timeout, parent, step);
    timer->start(ms);
}

} // namespace

QWidget *CreateQtOnlyWindow()
{
    auto *window = new QWidget;
    window->setWindowTitle(QStringLiteral("Qt-only anchor"));
    auto *layout = new QVBoxLayout(window);

    auto *clock = new QLCDNumber(8);
    layout->addWidget(clock);
    Every(clock, 1000,
          [clock] { clock->display(QTime::currentTime().toString(QStringLiteral("hh:mm:ss"))); });

    const QString text = QStringLiteral("          JX Tools scrolls this text          ");
    auto *ticker = new QLabel;
    layout->addWidget(ticker);
    Every(ticker, 150, [ticker, text, pos = 0]() mutable {
        pos = (pos + 1) % text.size();
        ticker->setText(text.mid(pos, 10));
    });
    for (int i = 0; i < 2; ++i) {
        auto *scroller = new QLabel(QStringLiteral("Lauftext"));
        layout->addWidget(scroller);
        Every(scroller, 30, [scroller, indent = 0]() mutable {
            indent = (indent + 2) % 300;
            scroller->setIndent(300 - indent);
        });
    }

    std::vector<QProgressBar *> bars;
    for (int i = 0; i < 3; ++i) {
        auto *bar = new QProgressBar;
        bar->setTextVisible(false);
        layout->addWidget(bar);
        bars.push_back(bar);
        // The peak timer of a level meter, falling back between beats.
        Every(bar, 50, [bar] { bar->setValue(std::max(0, bar->value() - 5)); });
    }
    Every(window, 140, [bars] {
        for (QProgressBar *bar : bars)
            bar->setValue(
                std::max(bar->value(), 25 + int(QRandomGenerator::global()->bounded(75))));
    });

    for (int i = 0; i < 2; ++i) {
        auto *blinking = new QLabel(QStringLiteral("Blinker"));
        blinking->setAutoFillBackground(true);
        layout->addWidget(blinking);
        Every(blinking, 500, [blinking, on = false]() mutable {
            on = !on;
            QPalette p = blinking->palette();
            p.setColor(QPalette::Window, on ? Qt::yellow : QColor(0x80, 0x80, 0));
            blinking->setPalette(p);
        });
    }
    auto *status = new QLabel;
    layout->addWidget(status);
    Every(status, 1000, [status] { status->setText(QTime::currentTime().toString()); });
    return window;
}

double MeasureIdle(QWidget &window, int seconds, TIdleState state)
{
    if (state == TIdleState::Hidden) {
        window.show();
        window.hide();
    } else {
        window.showMinimized();
    }
    QEventLoop settle;
    QTimer::singleShot(1000, &settle, &QEventLoop::quit);
    settle.exec();
    const double start = ProcessSeconds();
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    return ProcessSeconds() - start;
}

} // namespace jxt::gallery
