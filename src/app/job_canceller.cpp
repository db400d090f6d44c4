// Stopping the running job when the window closes (see job_canceller.h).
#include "app/job_canceller.h"

#include <QTimer>

#include "app/background_job.h"
#include "app/qt_ui_port.h"
#include "project/command_runner.h"

namespace quillery::app {

JobCanceller::JobCanceller(BackgroundJob& job, QtUiPort& port, QObject* parent)
    : QObject(parent), job_(job), port_(port), commandEnder_(new QTimer(this)) {
    // A command started between the port's last call and the cancel is ended on the next
    // tick: the worker may be just starting the compiler when the user closes.
    commandEnder_->setInterval(50);
    connect(commandEnder_, &QTimer::timeout, this, [] { EndRunningCommand(); });
    connect(&job_, &BackgroundJob::finished, this, [this] {
        if (!cancelling_) return;
        commandEnder_->stop();
        // After the job's own end handling, outside of it.
        QTimer::singleShot(0, this, &JobCanceller::ended);
    });
}

void JobCanceller::Cancel() {
    if (!job_.busy() || cancelling_) return;
    cancelling_ = true;
    port_.Cancel();
    EndRunningCommand();
    commandEnder_->start();
}

}  // namespace quillery::app
