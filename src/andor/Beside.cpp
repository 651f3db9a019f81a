#include "Beside.h"

#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

namespace andor {

namespace {

class KeptThread {
public:
    static KeptThread& instance() {
        static KeptThread kept;
        return kept;
    }

    KeptThread(const KeptThread&) = delete;
    KeptThread& operator=(const KeptThread&) = delete;

    ~KeptThread() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        changed_.notify_all();
        if (thread_.joinable())
            thread_.join();
    }

    // Hands `job` to the thread; false when it is busy or cannot be started.
    bool start(const std::function<void()>& job) {
        std::lock_guard lock(mutex_);
        if (job_ != nullptr || stopping_)
            return false;
        if (!thread_.joinable()) {
            try {
                thread_ = std::thread([this] { serve(); });
            } catch (const std::system_error&) {
                return false;
            }
        }
        job_ = &job;
        done_ = false;
        failure_ = nullptr;
        changed_.notify_all();
        return true;
    }

    // Waits for the job handed over and frees the thread; the job's exception, if any.
    std::exception_ptr finish() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return done_; });
        job_ = nullptr;
        return std::exchange(failure_, nullptr);
    }

private:
    KeptThread() = default;

    void serve() {
        std::unique_lock lock(mutex_);
        for (;;) {
            changed_.wait(lock, [this] { return stopping_ || (job_ != nullptr && !done_); });
            if (stopping_)
                return;
            const std::function<void()>* job = job_;
            lock.unlock();
            std::exception_ptr failure;
            try {
                (*job)();
            } catch (...) {
                failure = std::current_exception();
            }
            lock.lock();
            failure_ = failure;
            done_ = true;
            changed_.notify_all();
        }
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::thread thread_;
    const std::function<void()>* job_ = nullptr; // while a caller's job is handed over
    bool done_ = false;
    bool stopping_ = false;
    std::exception_ptr failure_;
};

std::exception_ptr runCatching(const std::function<void()>& job) {
    try {
        job();
    } catch (...) {
        return std::current_exception();
    }
    return nullptr;
}

} // namespace

void runBeside(const std::function<void()>& theirs, const std::function<void()>& mine) {
    KeptThread& kept = KeptThread::instance();
    std::exception_ptr mineFailed;
    std::exception_ptr theirsFailed;
    if (kept.start(theirs)) {
        mineFailed = runCatching(mine);
        theirsFailed = kept.finish();
    } else {
        std::thread own;
        try {
            own = std::thread([&] { theirsFailed = runCatching(theirs); });
        } catch (const std::system_error&) {
        }
        mineFailed = runCatching(mine);
        if (own.joinable())
            own.join();
        else
            theirsFailed = runCatching(theirs);
    }
    if (mineFailed)
        std::rethrow_exception(mineFailed);
    if (theirsFailed)
        std::rethrow_exception(theirsFailed);
}

} // namespace andor
