#pragma once
// Stops the running import or make when the window is closed during it. The core work runs
// on the worker thread and has no stop flag of its own; it is stopped at its next call to
// the UI port (the port answers it with WorkCancelled from then on), and the external
// command it may be running (the compiler, LibreOffice) is ended at once. Files stay whole:
// the book and the ePub are written through temporary files, a compiler ended part-way
// leaves no book, and the work folders are emptied when the window closes.

#include <QObject>

class QTimer;

namespace quillery::app {

class BackgroundJob;
class QtUiPort;

class JobCanceller final : public QObject {
    Q_OBJECT
public:
    JobCanceller(BackgroundJob& job, QtUiPort& port, QObject* parent);

    // Asks the running job to stop; ended() follows once it has.
    void Cancel();
    bool cancelling() const { return cancelling_; }

signals:
    // The cancelled job has ended and the window is free again.
    void ended();

private:
    BackgroundJob& job_;
    QtUiPort& port_;
    QTimer* commandEnder_;
    bool cancelling_ = false;
};

}  // namespace quillery::app
