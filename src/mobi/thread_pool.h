#pragma once
// A fixed set of worker threads for the compiler's independent jobs (translating chapters,
// preparing pictures, compressing text records). A pool of one thread runs every job at once
// on the caller's thread, so that a single-threaded compile does the same work in the same
// order.

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <queue>
#include <thread>
#include <vector>

namespace quillery::mobi {

class ThreadPool {
public:
    // `threads` jobs at a time; 0 means one per processor core.
    explicit ThreadPool(unsigned threads);
    ~ThreadPool();
    ThreadPool(const ThreadPool&) = delete;
    ThreadPool& operator=(const ThreadPool&) = delete;

    // How many jobs run at once.
    unsigned size() const { return size_; }

    // Runs `job` on a worker (at once on the caller's thread in a pool of one).
    template <typename Job>
    auto Submit(Job job) -> std::future<decltype(job())> {
        using Result = decltype(job());
        auto task = std::make_shared<std::packaged_task<Result()>>(std::move(job));
        auto future = task->get_future();
        if (workers_.empty()) {
            (*task)();
        } else {
            Enqueue([task] { (*task)(); });
        }
        return future;
    }

    // Calls body(0) ... body(count - 1), spread over the workers and the calling thread, and
    // returns when every call has returned; the first exception thrown is thrown again here.
    // Not to be called from a job of the same pool.
    void ForEach(std::size_t count, const std::function<void(std::size_t)>& body);

    // The number of processor cores, at least 1.
    static unsigned MachineThreads();

private:
    void Enqueue(std::function<void()> job);
    void Work();

    unsigned size_ = 1;
    std::vector<std::thread> workers_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::queue<std::function<void()>> jobs_;
    bool stopping_ = false;
};

}  // namespace quillery::mobi
