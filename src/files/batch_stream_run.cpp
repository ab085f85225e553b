#include "files/batch_stream_run.h"

#include "design/design_case.h"
#include "design/warning_sink.h"
#include "files/batch_results_table.h"

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace korvel {

namespace {

// What a case leaves besides its row, kept until its block is written.
struct CaseNotes {
    std::vector<std::string> warnings;
    CalcFault fault;
    FailedChecks failed;
    Results uf; // kept only when a hook asks for the outcome
    const CheckFacts* highestCheck = nullptr;
    double highest = 0;
};

// Consecutive lines of the input with their rows; the storage is reused block after block. The
// reader only finds the lines; the thread that calculates a block reads its entries, so that
// reading the fields shares the threads as the calculation does.
struct Block {
    struct Line {
        std::size_t offset = 0;
        std::size_t size = 0;
        int number = 0;
    };
    std::string text; // the lines, each without its line feed
    std::vector<Line> lines = std::vector<Line>(batchBlockEntries);
    std::vector<BatchEntry> entries = std::vector<BatchEntry>(batchBlockEntries);
    std::vector<CaseNotes> notes = std::vector<CaseNotes>(batchBlockEntries);
    // The fields of each line read, views into `text`: the results table echoes some of them.
    std::vector<std::vector<std::string_view>> fields = std::vector<std::vector<std::string_view>>(batchBlockEntries);
    std::size_t count = 0;           // lines taken
    std::size_t readCount = 0;       // entries read: count, or the lines before a faulty one
    std::optional<BatchError> fault; // the faulty line's error, which ends the run
    std::int64_t casesBefore = 0;    // cases of the input before this block
    std::string rows;
    BatchStreamReader::Next ending = BatchStreamReader::Next::entry; // entry: the input goes on
};

// `casesRead` counts the cases of the blocks read so far. A block ends early where the input would
// make it wait, so that the rows of what a pipe has sent appear before it sends more.
void readBlock(BatchStreamReader& in, Block& block, std::int64_t& casesRead) {
    block.count = 0;
    block.text.clear();
    block.casesBefore = casesRead;
    block.ending = BatchStreamReader::Next::entry;
    std::string_view line;
    int number = 0;
    while (block.count < block.lines.size() && (block.count == 0 || in.lineWaiting())) {
        block.ending = in.nextLine(line, number);
        if (block.ending != BatchStreamReader::Next::entry) return;
        block.lines[block.count] = Block::Line{block.text.size(), line.size(), number};
        block.text += line;
        if (!BatchLineReader::isCommentText(line)) ++casesRead;
        ++block.count;
    }
}

// Reads the entries of the block's lines, keeping the fields of each; a faulty line ends the block
// there. The whole block is read before its first case is calculated: reading, calculating and
// writing in turn line by line takes longer, as each evicts the others' code from the processor's
// cache.
void readEntries(Block& block, BatchLineReader& reader) {
    block.fault.reset();
    block.readCount = 0;
    for (; block.readCount < block.count; ++block.readCount) {
        const Block::Line& line = block.lines[block.readCount];
        const std::string_view content = std::string_view(block.text).substr(line.offset, line.size);
        if (!reader.readLine(content, line.number, block.entries[block.readCount])) {
            block.fault = reader.error();
            return;
        }
        block.fields[block.readCount].assign(reader.fields().begin(), reader.fields().end());
    }
}

// The warnings of the case being run, kept with it.
class NotedWarnings final : public WarningSink {
public:
    void setCase(CaseNotes& notes) { notes_ = &notes; }
    void warn(const std::string& message, InputBox) override {
        if (notes_) notes_->warnings.push_back(message);
    }

private:
    CaseNotes* notes_ = nullptr;
};

// The calculation of one thread: its own design cases and warning sink. A few consecutive cases
// are calculated, each in a design case of its own, before their rows are written: calculating
// and writing in turn case by case takes longer, as each evicts the other's code from the
// processor's cache.
class BlockCalculator {
public:
    // `reader` is the thread's own copy of the input's line reader.
    BlockCalculator(const Catalogue& catalogue, const BatchRowFormat& format, BatchLineReader reader)
        : catalogue_(catalogue), format_(format), reader_(std::move(reader)), cases_(casesAtOnce) {}

    void run(Block& block) {
        readEntries(block, reader_);
        block.rows.clear();
        std::int64_t caseNumber = block.casesBefore;
        for (std::size_t first = 0; first < block.readCount; first += cases_.size()) {
            const std::size_t end = std::min(block.readCount, first + cases_.size());
            for (std::size_t i = first; i < end; ++i) calculate(block, i, cases_[i - first]);
            for (std::size_t i = first; i < end; ++i) writeRows(block, i, caseNumber, cases_[i - first]);
        }
    }

private:
    static constexpr std::size_t casesAtOnce = 8;

    void calculate(Block& block, std::size_t i, DesignCase& dc) {
        const BatchEntry& entry = block.entries[i];
        CaseNotes& notes = block.notes[i];
        notes.warnings.clear();
        if (!entry.isCase()) return;
        warnings_.setCase(notes);
        runAdjustedBatchCase(entry, dc, catalogue_, warnings_, AssessOptions{}, format_.adjust);
        notes.fault = dc.fault;
        notes.failed = failedChecks(dc);
        if (format_.keepResults) notes.uf = dc.uf;
        notes.highestCheck = nullptr;
        for (const CheckFacts& check : checkTable) {
            if (resultState(dc.uf, check) != ResultState::computed) continue;
            const double value = writtenResult(dc.uf, check);
            if (!notes.highestCheck || value > notes.highest) {
                notes.highestCheck = &check;
                notes.highest = value;
            }
        }
    }

    void writeRows(Block& block, std::size_t i, std::int64_t& caseNumber, DesignCase& dc) const {
        const BatchEntry& entry = block.entries[i];
        if (!entry.isCase()) {
            if (format_.commentRows) {
                format_.commentRows(block.rows, entry);
            } else {
                block.rows += entry.comment;
                block.rows += "\r\n";
            }
            return;
        }
        ++caseNumber;
        if (format_.caseRows)
            format_.caseRows(block.rows, entry, caseNumber, dc);
        else
            appendBatchResultLine(block.rows, dc, entry, block.fields[i]);
    }

    const Catalogue& catalogue_;
    const BatchRowFormat& format_;
    BatchLineReader reader_;
    std::vector<DesignCase> cases_;
    NotedWarnings warnings_;
};

// Hands on a calculated block in input order and counts it into the summary; false when the
// output failed.
bool writeBlock(const Block& block, BatchStreamSummary& summary, std::int64_t& cases, const BatchStreamReader& in,
                const BatchStreamHooks& hooks) {
    for (std::size_t i = 0; i < block.readCount; ++i) {
        const BatchEntry& entry = block.entries[i];
        if (!entry.isCase()) {
            ++summary.totals.comments;
            continue;
        }
        const CaseNotes& notes = block.notes[i];
        if (hooks.warning)
            for (const std::string& warning : notes.warnings) hooks.warning(entry, warning);
        if (notes.fault.stopped()) {
            if (hooks.stopped) hooks.stopped(entry, notes.fault);
            auto& steps = summary.stoppedBySteps;
            const auto step = std::find_if(steps.begin(), steps.end(),
                                           [&](const auto& counted) { return counted.first == notes.fault.step; });
            if (step == steps.end())
                steps.emplace_back(notes.fault.step, 1);
            else
                ++step->second;
        }
        ++summary.totals.cases;
        summary.totals.failed.add(notes.fault.stopped(), notes.failed);
        if (hooks.caseDone) hooks.caseDone(entry, CaseOutcome{notes.uf, notes.failed, notes.fault});
        HighestUtilisation& highest = summary.highest;
        if (notes.highestCheck && (!highest.check || notes.highest > highest.value))
            highest = HighestUtilisation{notes.highest, notes.highestCheck, entry.line, entry.inputs.projectName,
                                         entry.inputs.identification};
        ++cases;
    }
    if (hooks.write && !block.rows.empty() && !hooks.write(block.rows)) return false;
    if (hooks.progress) hooks.progress(cases, in.bytesRead());
    return true;
}

// Blocks read on the calling thread, calculated by the workers, written on the calling thread
// in input order. A block's slot is free again once it is written, so at most `slots` blocks
// are held.
class Pipeline {
public:
    Pipeline(const Catalogue& catalogue, int threads, const BatchRowFormat& format, const BatchLineReader& reader)
        : slots_(2 * static_cast<std::size_t>(threads)) {
        state_.assign(slots_.size(), State::free);
        for (int i = 0; i < threads; ++i)
            workers_.emplace_back([this, &catalogue, &format, &reader] {
                BlockCalculator calculator(catalogue, format, reader);
                work(calculator);
            });
    }
    ~Pipeline() {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
        }
        workReady_.notify_all();
        for (std::thread& worker : workers_) worker.join();
    }
    Pipeline(const Pipeline&) = delete;
    Pipeline& operator=(const Pipeline&) = delete;

    BatchStreamReader::Next run(BatchStreamReader& in, BatchStreamOutcome& outcome, const BatchStreamHooks& hooks) {
        std::int64_t cases = 0;
        std::int64_t casesRead = 0;
        std::uint64_t written = 0;
        BatchStreamReader::Next ending = BatchStreamReader::Next::entry;
        for (;;) {
            // The blocks in hand are written before the reading waits for a pipe.
            while (ending == BatchStreamReader::Next::entry && published_ - written < slots_.size() &&
                   (published_ == written || in.lineWaiting())) {
                const std::size_t slot = published_ % slots_.size();
                readBlock(in, slots_[slot], casesRead);
                ending = slots_[slot].ending;
                {
                    const std::lock_guard<std::mutex> lock(mutex_);
                    state_[slot] = State::filled;
                    ++published_;
                }
                workReady_.notify_one();
            }
            if (written == published_) return ending;
            const std::size_t slot = written % slots_.size();
            {
                std::unique_lock<std::mutex> lock(mutex_);
                blockDone_.wait(lock, [&] { return state_[slot] == State::done; });
            }
            if (!writeBlock(slots_[slot], outcome.summary, cases, in, hooks)) {
                outcome.outputFailed = true;
                return BatchStreamReader::Next::entry;
            }
            if (slots_[slot].fault) {
                outcome.input = slots_[slot].fault;
                return BatchStreamReader::Next::error;
            }
            {
                const std::lock_guard<std::mutex> lock(mutex_);
                state_[slot] = State::free;
            }
            ++written;
        }
    }

private:
    enum class State { free, filled, done };

    void work(BlockCalculator& calculator) {
        for (;;) {
            std::size_t slot = 0;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                workReady_.wait(lock, [&] { return stopping_ || taken_ < published_; });
                if (stopping_) return;
                slot = taken_++ % slots_.size();
            }
            calculator.run(slots_[slot]);
            {
                const std::lock_guard<std::mutex> lock(mutex_);
                state_[slot] = State::done;
            }
            blockDone_.notify_one();
        }
    }

    std::vector<Block> slots_;
    std::vector<State> state_;
    std::uint64_t published_ = 0; // blocks handed to the workers
    std::uint64_t taken_ = 0;     // blocks a worker has begun
    bool stopping_ = false;
    std::mutex mutex_;
    std::condition_variable workReady_;
    std::condition_variable blockDone_;
    std::vector<std::thread> workers_;
};

} // namespace

BatchStreamOutcome streamBatch(BatchStreamReader& in, const Catalogue& catalogue, int threads,
                               const BatchStreamHooks& hooks, const BatchRowFormat& format) {
    BatchStreamOutcome outcome;
    BatchStreamReader::Next ending = BatchStreamReader::Next::entry;
    if (threads <= 1) {
        Block block;
        BlockCalculator calculator(catalogue, format, in.lineReader());
        std::int64_t cases = 0;
        std::int64_t casesRead = 0;
        while (ending == BatchStreamReader::Next::entry) {
            readBlock(in, block, casesRead);
            ending = block.ending;
            calculator.run(block);
            if (!writeBlock(block, outcome.summary, cases, in, hooks)) {
                outcome.outputFailed = true;
                return outcome;
            }
            if (block.fault) {
                outcome.input = block.fault;
                return outcome;
            }
        }
    } else {
        Pipeline pipeline(catalogue, std::min(threads, maxBatchThreads), format, in.lineReader());
        ending = pipeline.run(in, outcome, hooks);
    }
    // A faulty line a thread found comes before anything the reader met after it.
    if (ending == BatchStreamReader::Next::error && !outcome.input) outcome.input = in.error();
    return outcome;
}

} // namespace korvel
