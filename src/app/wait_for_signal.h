#pragma once
// Waiting for a window's signal from a program that drives the window itself (the GUI
// benchmark, the screenshot taker): the event loop runs until the signal fires.

#include <QEventLoop>
#include <QObject>
#include <QTimer>

namespace quillery::app {

// Runs the event loop until signal fires (or timeoutMs passes); false on time-out.
template <class Sender, class Signal>
bool WaitForSignal(Sender* sender, Signal signal, int timeoutMs) {
    QEventLoop loop;
    bool fired = false;
    QObject::connect(sender, signal, &loop, [&] {
        fired = true;
        loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return fired;
}

}  // namespace quillery::app
