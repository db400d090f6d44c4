#pragma once
// Runs one import or make at a time on a worker thread, holding the work-folder lock for its
// whole length, and calls back on the GUI thread when it has ended. The window stays live
// (its status line and gauge move) while the core works.

#include <QObject>
#include <functional>
#include <memory>
#include <optional>

#include "project/work_folder_lock.h"

namespace quillery::app {

class BackgroundJob final : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    bool busy() const { return busy_; }
    // work runs on a worker thread; then, on the GUI thread, the lock is released, done runs
    // and finished() is emitted. An exception out of work is caught and handed to done as
    // its message, so a failed job still gives the window back.
    // Without a lock (nullopt) the job leaves the work folders to others.
    void Start(std::optional<WorkFolderLock> lock, std::function<void()> work,
               std::function<void(const QString& error)> done);

signals:
    void started();
    void finished();

private:
    bool busy_ = false;
};

}  // namespace quillery::app
