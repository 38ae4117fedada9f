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

// Calls work(i) for every i in [0, count) on up to `threads` threads and emit(i, result) on
// the calling thread for i = 0, 1, 2 ... each as soon as it and every job before it are done.
// Results done ahead of their turn wait in memory; a worker starts no job more than a window
// of jobs ahead of the last one emitted, so that memory stays small whatever the job times.
// With one thread everything runs on the calling thread. An exception thrown by work() is
// rethrown by this function when that job's turn to be emitted comes (after the workers are
// stopped).
template <typename Result, typename Work, typename Emit>
void runInOrder(std::size_t count, unsigned threads, Work work, Emit emit)
{
    if (threads <= 1 || count <= 1) {
        for (std::size_t i = 0; i < count; ++i)
            emit(i, work(i));
        return;
    }
    threads = static_cast<unsigned>(std::min<std::size_t>(threads, count));
    const std::size_t window = 16 * static_cast<std::size_t>(threads);

    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::optional<Result>> done(count);
    std::vector<std::exception_ptr> failed(count);
    std::size_t next = 0;    // the next job a worker takes
    std::size_t emitted = 0; // jobs handed to emit() so far
    bool stopping = false;

    auto worker = [&] {
        std::unique_lock lock(mutex);
        for (;;) {
            changed.wait(lock, [&] { return stopping || next >= count || next < emitted + window; });
            if (stopping || next >= count)
                return;
            const std::size_t i = next++;
            lock.unlock();
            std::optional<Result> result;
            std::exception_ptr error;
            try {
                result.emplace(work(i));
            } catch (...) {
                error = std::current_exception();
            }
            lock.lock();
            done[i] = std::move(result);
            failed[i] = error;
            changed.notify_all();
        }
    };

    std::vector<std::thread> pool;
    pool.reserve(threads);
    for (unsigned t = 0; t < threads; ++t)
        pool.emplace_back(worker);

    auto stop = [&] {
        {
            std::lock_guard lock(mutex);
            stopping = true;
        }
        changed.notify_all();
        for (std::thread& thread : pool)
            thread.join();
    };

    try {
        for (std::size_t i = 0; i < count; ++i) {
            std::optional<Result> result;
            {
                std::unique_lock lock(mutex);
                changed.wait(lock, [&] { return done[i].has_value() || failed[i] != nullptr; });
                if (failed[i])
                    std::rethrow_exception(failed[i]);
                result = std::move(done[i]);
                done[i].reset();
                emitted = i + 1;
            }
            changed.notify_all();
            emit(i, std::move(*result));
        }
    } catch (...) {
        stop();
        throw;
    }
    stop();
}

} // namespace zumeli::cli
