// A small fixed pool of worker threads that runs numbered jobs and hands their results back
// in job order, so a tool's output does not depend on how many threads ran it.
//
// Plain std::thread on purpose: the command-line tool stays free of Qt (no QThreadPool or
// QtConcurrent), std::async gives no bound on how many threads run at once, and the parallel
// algorithms of libstdc++ need TBB at run time. Jobs here are whole puzzles, milliseconds to
// minutes each, so one shared counter is all the scheduling they need.
#pragma once

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace zumeli::cli {

// The jobs of one runInOrder shared by its threads: which job comes next, the results
// waiting for their turn, and how far the delivering has come.
template <typename Result, typename Work>
class OrderedJobs {
public:
    OrderedJobs(std::size_t count, std::size_t window, Work& work)
        : count_(count), window_(window), work_(work), done_(count), failed_(count)
    {
    }

    // One worker thread: takes the next job while it lies inside the window, until every job
    // is taken or the jobs are stopped.
    void workLoop()
    {
        std::unique_lock lock(mutex_);
        for (;;) {
            changed_.wait(lock, [&] { return stopping_ || next_ >= count_ || next_ < delivered_ + window_; });
            if (stopping_ || next_ >= count_)
                return;
            const std::size_t i = next_++;
            lock.unlock();
            std::optional<Result> result;
            std::exception_ptr error;
            try {
                result.emplace(work_(i));
            } catch (...) {
                error = std::current_exception();
            }
            lock.lock();
            done_[i] = std::move(result);
            failed_[i] = error;
            changed_.notify_all();
        }
    }

    // Job i's result once it is done (its exception rethrown), which moves the window on.
    Result take(std::size_t i)
    {
        std::optional<Result> result;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return done_[i].has_value() || failed_[i] != nullptr; });
            if (failed_[i])
                std::rethrow_exception(failed_[i]);
            result = std::move(done_[i]);
            done_[i].reset();
            delivered_ = i + 1;
        }
        changed_.notify_all();
        return std::move(*result);
    }

    // Tells the workers to take no more jobs and waits for them.
    void stop(std::vector<std::thread>& pool)
    {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        changed_.notify_all();
        for (std::thread& thread : pool)
            thread.join();
    }

private:
    const std::size_t count_;
    const std::size_t window_;
    Work& work_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::optional<Result>> done_;
    std::vector<std::exception_ptr> failed_;
    std::size_t next_ = 0;    // the next job a worker takes
    std::size_t delivered_ = 0; // jobs handed to deliver() so far
    bool stopping_ = false;
};

// Calls work(i) for every i in [0, count) on up to `threads` threads and deliver(i, result) on
// the calling thread for i = 0, 1, 2 ... each as soon as it and every job before it are done.
// Results done ahead of their turn wait in memory; a worker starts no job more than a window
// of jobs ahead of the last one delivered, so that memory stays small whatever the job times.
// With one thread everything runs on the calling thread. An exception thrown by work() is
// rethrown by this function when that job's turn to be delivered comes (after the workers are
// stopped). The parameter is not called `emit`: Qt defines that name as an empty macro, which
// turns a call into a comma expression wherever Qt's headers come first.
template <typename Result, typename Work, typename Deliver>
void runInOrder(std::size_t count, unsigned threads, Work work, Deliver deliver)
{
    if (threads <= 1 || count <= 1) {
        for (std::size_t i = 0; i < count; ++i)
            deliver(i, work(i));
        return;
    }
    threads = static_cast<unsigned>(std::min<std::size_t>(threads, count));
    OrderedJobs<Result, Work> jobs(count, 16 * static_cast<std::size_t>(threads), work);
    std::vector<std::thread> pool;
    pool.reserve(threads);
    for (unsigned t = 0; t < threads; ++t)
        pool.emplace_back([&jobs] { jobs.workLoop(); });
    try {
        for (std::size_t i = 0; i < count; ++i)
            deliver(i, jobs.take(i));
    } catch (...) {
        jobs.stop(pool);
        throw;
    }
    jobs.stop(pool);
}

} // namespace zumeli::cli
