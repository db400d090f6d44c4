// The compiler's worker threads (see thread_pool.h).

#include "mobi/thread_pool.h"

#include <algorithm>
#include <atomic>
#include <exception>

namespace quillery::mobi {

unsigned ThreadPool::MachineThreads() {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : cores;
}

ThreadPool::ThreadPool(unsigned threads) {
    size_ = threads == 0 ? MachineThreads() : threads;
    if (size_ > 1) {
        workers_.reserve(size_);
        for (unsigned i = 0; i < size_; ++i) workers_.emplace_back([this] { Work(); });
    }
}

ThreadPool::~ThreadPool() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (auto& worker : workers_) worker.join();
}

void ThreadPool::Enqueue(std::function<void()> job) {
    {
        std::lock_guard lock(mutex_);
        jobs_.push(std::move(job));
    }
    wake_.notify_one();
}

void ThreadPool::Work() {
    for (;;) {
        std::function<void()> job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (jobs_.empty()) return;  // stopping, and nothing left to do
            job = std::move(jobs_.front());
            jobs_.pop();
        }
        job();
    }
}

void ThreadPool::ForEach(std::size_t count, const std::function<void(std::size_t)>& body) {
    std::atomic<std::size_t> next{0};
    const auto drain = [&] {
        for (std::size_t i = next++; i < count; i = next++) body(i);
    };
    std::vector<std::future<void>> helpers;
    const std::size_t helperCount = std::min<std::size_t>(workers_.size(), count);
    for (std::size_t h = 1; h < helperCount; ++h) helpers.push_back(Submit(drain));
    std::exception_ptr failure;
    try {
        drain();
    } catch (...) {
        failure = std::current_exception();
        next = count;  // the helpers stop after their current call
    }
    // Every helper is waited for before anything of this frame goes away.
    for (auto& helper : helpers) {
        try {
            helper.get();
        } catch (...) {
            if (!failure) failure = std::current_exception();
        }
    }
    if (failure) std::rethrow_exception(failure);
}

}  // namespace quillery::mobi
