#pragma once

// Work items of a study run on several threads, each thread with a case runner of its own, and
// their results handed on in item order on the calling thread, so that a study's output does
// not depend on the number of threads. A stop request (Ctrl+C, the window's Cancel) ends the
// run after the items in hand: the results delivered so far are the items before the first
// one not done.

#include "design/catalogue.h"
#include "studies/study_checks.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace korvel {

inline constexpr int maxStudyThreads = 256;

// How a study runs: on how many threads, what it reports and what stops it.
struct StudyControl {
    int threads = 1;
    // Items delivered so far of all; called on the calling thread. False stops the study.
    std::function<bool(std::size_t done, std::size_t total)> progress;
    // Set (from a signal handler or another thread) to stop the study.
    const std::atomic<bool>* stop = nullptr;

    bool stopRequested() const { return stop && stop->load(std::memory_order_relaxed); }
};

// Runs work(i, runner) for every i below `count` and hands each result to deliver(i, result) in
// order of i. Returns the number delivered: `count` unless the study was stopped.
template <class Result, class Work, class Deliver>
std::size_t runInOrder(std::size_t count, const Catalogue& catalogue, const StudyControl& control, Work&& work,
                       Deliver&& deliver) {
    std::atomic<bool> cancelled{false};
    const auto stopping = [&] { return cancelled.load(std::memory_order_relaxed) || control.stopRequested(); };
    const auto report = [&](std::size_t done) {
        if (control.progress && !control.progress(done, count)) cancelled = true;
    };
    const int threads =
        std::max(1, std::min<int>(control.threads, static_cast<int>(std::min<std::size_t>(count, maxStudyThreads))));
    if (threads <= 1) {
        CaseRunner runner(catalogue);
        std::size_t i = 0;
        for (; i < count && !stopping(); ++i) {
            Result r = work(i, runner);
            deliver(i, r);
            report(i + 1);
        }
        return i;
    }

    std::vector<std::optional<Result>> results(count);
    std::atomic<std::size_t> next{0};
    std::mutex mutex;
    std::condition_variable ready;
    int running = threads;
    std::vector<std::thread> pool;
    pool.reserve(static_cast<std::size_t>(threads));
    for (int t = 0; t < threads; ++t) {
        pool.emplace_back([&] {
            CaseRunner runner(catalogue);
            for (;;) {
                if (stopping()) break;
                const std::size_t i = next.fetch_add(1);
                if (i >= count) break;
                Result r = work(i, runner);
                const std::lock_guard<std::mutex> lock(mutex);
                results[i] = std::move(r);
                ready.notify_one();
            }
            const std::lock_guard<std::mutex> lock(mutex);
            --running;
            ready.notify_one();
        });
    }
    std::size_t delivered = 0;
    for (;;) {
        std::optional<Result> r;
        {
            std::unique_lock<std::mutex> lock(mutex);
            // A stop request from a signal handler cannot notify: look again now and then.
            ready.wait_for(lock, std::chrono::milliseconds(50),
                           [&] { return (delivered < count && results[delivered]) || running == 0; });
            if (delivered < count && results[delivered]) {
                r = std::move(results[delivered]);
                results[delivered].reset();
            } else if (running == 0 || delivered == count) {
                break;
            }
        }
        if (!r) continue;
        deliver(delivered, *r);
        report(++delivered);
    }
    for (std::thread& t : pool) t.join();
    return delivered;
}

} // namespace korvel
