#include "editor/recovery_copy.h"

#include "common/atomic_file.h"

#include <QTimer>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

int64_t Now()
{
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::string CopyPathIn(const std::string& folder, const std::string& showPath)
{
    return folder + "/" + RecoveryBaseName(showPath) + ".PRJ";
}

std::string NotePathIn(const std::string& folder, const std::string& showPath)
{
    return folder + "/" + RecoveryBaseName(showPath) + ".txt";
}

} // namespace

RecoveryCopy::RecoveryCopy(std::string folder, int delayMs, Source source, QObject* parent)
    : QObject(parent), folder_(std::move(folder)), source_(std::move(source)), timer_(new QTimer(this))
{
    timer_->setSingleShot(true);
    timer_->setInterval(delayMs);
    connect(timer_, &QTimer::timeout, this, &RecoveryCopy::WriteInBackground);
}

RecoveryCopy::~RecoveryCopy() { WaitForWrite(); }

void RecoveryCopy::Due()
{
    if (!timer_->isActive())
        timer_->start();
}

void RecoveryCopy::WaitForWrite()
{
    if (writing_.valid())
        writing_.get();
}

bool RecoveryCopy::Write(const std::string& folder, const RecoveryRecord& record, const std::vector<uint8_t>& bytes)
{
    std::error_code ec;
    fs::create_directories(folder, ec);
    // The note follows the copy, so a note never names a copy that is not whole.
    return WriteFileAtomically(CopyPathIn(folder, record.ShowPath), bytes) &&
           WriteFileAtomically(NotePathIn(folder, record.ShowPath), FormatRecoveryRecord(record));
}

void RecoveryCopy::WriteInBackground()
{
    if (writing_.valid() && writing_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
        timer_->start(1000); // the disk is slow: the next copy after this one
        return;
    }
    WaitForWrite();
    const RecoveryRecord record{source_.showPath(), Now()};
    if (std::find(written_.begin(), written_.end(), record.ShowPath) == written_.end())
        written_.push_back(record.ShowPath);
    writing_ = std::async(std::launch::async, &RecoveryCopy::Write, folder_, record, source_.bytes());
}

bool RecoveryCopy::WriteNow()
{
    timer_->stop();
    WaitForWrite();
    const RecoveryRecord record{source_.showPath(), Now()};
    if (std::find(written_.begin(), written_.end(), record.ShowPath) == written_.end())
        written_.push_back(record.ShowPath);
    return Write(folder_, record, source_.bytes());
}

void RecoveryCopy::Remove()
{
    timer_->stop();
    WaitForWrite();
    // Only what this run wrote: a copy kept from an earlier run for later stays.
    for (const std::string& show : written_) {
        std::error_code ec;
        fs::remove(NotePathIn(folder_, show), ec);
        fs::remove(CopyPathIn(folder_, show), ec);
    }
    written_.clear();
}

void RecoveryCopy::Discard(const Found& found)
{
    std::error_code ec;
    fs::remove(found.NotePath, ec);
    fs::remove(found.CopyPath, ec);
}

std::vector<RecoveryCopy::Found> RecoveryCopy::FindAll(const std::string& folder)
{
    std::vector<Found> found;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
        const fs::path note = entry.path();
        if (note.extension() != ".txt" || !note.filename().string().starts_with("recovery-"))
            continue;
        // A note is a few short lines: anything far longer is no note of ours.
        if (fs::file_size(note, ec) > 64 * 1024 || ec)
            continue;
        std::ifstream in(note, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const std::optional<RecoveryRecord> record = ParseRecoveryRecord(text);
        fs::path copy = note;
        copy.replace_extension(".PRJ");
        if (record && fs::is_regular_file(copy, ec) && note.stem().string() == RecoveryBaseName(record->ShowPath))
            found.push_back({*record, copy.string(), note.string()});
    }
    std::sort(found.begin(), found.end(),
              [](const Found& a, const Found& b) { return a.Record.SavedAt > b.Record.SavedAt; });
    return found;
}
