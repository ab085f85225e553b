#include "files/batch_stream_source.h"

#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

namespace korvel {

BatchEntrySource::BatchEntrySource(const BatchList& list) : path_(list.path), list_(&list) {
    cases_ = list.caseCount();
}

BatchEntrySource::BatchEntrySource(std::string path, DecimalMode mode, const Catalogue& catalogue)
    : path_(std::move(path)), mode_(mode), catalogue_(&catalogue) {}

std::variant<BatchEntrySource, BatchError> BatchEntrySource::open(const std::string& path, DecimalMode mode,
                                                                  const Catalogue& catalogue) {
    auto opened = BatchStreamReader::open(path, mode, catalogue);
    if (auto* error = std::get_if<BatchError>(&opened)) return std::move(*error);
    BatchStreamReader& reader = std::get<BatchStreamReader>(opened);
    BatchEntrySource source(path, mode, catalogue);
    std::error_code ec;
    const bool again = std::filesystem::is_regular_file(std::filesystem::path(path), ec);
    BatchEntry entry;
    for (;;) {
        const BatchStreamReader::Next next = reader.next(entry);
        if (next == BatchStreamReader::Next::error) return reader.error();
        if (next == BatchStreamReader::Next::end) break;
        if (entry.isCase()) ++source.cases_;
        if (!again) source.held_.entries.push_back(entry);
    }
    source.holds_ = !again;
    return source;
}

bool BatchEntrySource::restart() {
    position_ = 0;
    error_.reset();
    reader_.reset();
    if (list_ || holds_) return true;
    auto opened = BatchStreamReader::open(path_, mode_, *catalogue_);
    if (auto* error = std::get_if<BatchError>(&opened)) {
        error_ = std::move(*error);
        return false;
    }
    reader_.emplace(std::move(std::get<BatchStreamReader>(opened)));
    return true;
}

bool BatchEntrySource::next(BatchEntry& entry) {
    if (error_) return false;
    if (list_ || holds_) {
        const std::vector<BatchEntry>& entries = holds_ ? held_.entries : list_->entries;
        if (position_ >= entries.size()) return false;
        entry = entries[position_++];
        return true;
    }
    if (!reader_ && !restart()) return false;
    const BatchStreamReader::Next next = reader_->next(entry);
    if (next == BatchStreamReader::Next::error) error_ = reader_->error();
    return next == BatchStreamReader::Next::entry;
}

} // namespace korvel
