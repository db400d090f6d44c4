// The worker thread of imports and makes.
#include "app/background_job.h"

#include <QThread>
#include <exception>

namespace quillery::app {

void BackgroundJob::Start(std::optional<WorkFolderLock> lock, std::function<void()> work,
                          std::function<void(const QString&)> done) {
    busy_ = true;
    auto heldLock = std::make_shared<std::optional<WorkFolderLock>>(std::move(lock));
    auto error = std::make_shared<QString>();
    QThread* thread = QThread::create([work = std::move(work), error] {
        try {
            work();
        } catch (const std::exception& e) {
            *error = QString::fromUtf8(e.what());
        }
    });
    connect(thread, &QThread::finished, this,
            [this, thread, heldLock, error, done = std::move(done)]() mutable {
                thread->deleteLater();
                // The work folders are free again before the window reacts.
                heldLock->reset();
                busy_ = false;
                done(*error);
                emit finished();
            });
    emit started();
    thread->start();
}

}  // namespace quillery::app
