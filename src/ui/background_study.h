#pragma once

// A study run off the interface thread for the studies window: one thread of its own that runs
// the study (which may spread over every core below it), the result handed back on the
// interface thread. Starting another run or cancelling stops the one in hand (its stop flag)
// and waits for it; a result that is no longer wanted is dropped, never shown.

#include "studies/ordered_run.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace korvel {

class BackgroundStudy final : public QObject {
    Q_OBJECT
public:
    explicit BackgroundStudy(QObject* parent = nullptr) : QObject(parent) {}
    ~BackgroundStudy() override { cancel(); }

    // Runs work(control) with `threads` threads and a stop flag; done(result) follows on the
    // interface thread unless the run was cancelled or superseded meanwhile.
    template <class R>
    void start(int threads, std::function<R(const StudyControl&)> work, std::function<void(R&)> done) {
        cancel();
        const int run = ++generation_;
        auto stop = std::make_shared<std::atomic<bool>>(false);
        stop_ = stop;
        running_ = true;
        thread_ = std::thread([this, run, stop, threads, work = std::move(work), done = std::move(done)] {
            StudyControl control;
            control.threads = threads;
            control.stop = stop.get();
            control.progress = [this, run, stop](std::size_t doneItems, std::size_t total) {
                QMetaObject::invokeMethod(
                    this,
                    [this, run, doneItems, total] {
                        if (run == generation_) emit progressed(static_cast<int>(doneItems), static_cast<int>(total));
                    },
                    Qt::QueuedConnection);
                return !stop->load();
            };
            auto result = std::make_shared<R>(work(control));
            QMetaObject::invokeMethod(
                this,
                [this, run, stop, result, done] {
                    if (run != generation_ || stop->load()) return;
                    running_ = false;
                    done(*result);
                    emit finished();
                },
                Qt::QueuedConnection);
        });
    }

    // Stops the run in hand and waits for its thread; its result is dropped.
    void cancel() {
        if (stop_) stop_->store(true);
        if (thread_.joinable()) thread_.join();
        stop_.reset();
        if (running_) {
            running_ = false;
            ++generation_;
            emit cancelled();
        }
    }

    bool running() const { return running_; }

signals:
    void progressed(int done, int total);
    void finished();
    void cancelled();

private:
    std::thread thread_;
    std::shared_ptr<std::atomic<bool>> stop_;
    int generation_ = 0;
    bool running_ = false;
};

} // namespace korvel
