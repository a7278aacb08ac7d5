#include "editor/recovery_copy.h"

#include <QDateTime>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace fs = std::filesystem;

namespace {

int64_t Now()
{
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::string RunTag()
{
    std::random_device random;
    char hex[17];
    std::snprintf(hex, sizeof hex, "%08x%08x", random(), random());
    return hex;
}

WriteResult WriteToDisk(const std::string& copyPath, const std::string& notePath, const RecoveryRecord& record,
                        const std::vector<uint8_t>& bytes)
{
    std::error_code ec;
    fs::create_directories(fs::path(copyPath).parent_path(), ec);
    // The note follows the copy, so a note never names a copy that is not whole.
    WriteResult written = WriteFileAtomically(copyPath, bytes);
    if (written)
        written = WriteFileAtomically(notePath, FormatRecoveryRecord(record));
    return written;
}

} // namespace

RecoveryCopy::RecoveryCopy(std::string folder, int delayMs, Source source, QObject* parent, Writer writer)
    : QObject(parent), folder_(std::move(folder)), delayMs_(delayMs), source_(std::move(source)),
      writer_(writer ? std::move(writer) : Writer(WriteToDisk)), timer_(new QTimer(this)), runTag_(RunTag())
{
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &RecoveryCopy::WriteInBackground);
}

RecoveryCopy::~RecoveryCopy() { WaitForWrite(); }

void RecoveryCopy::Due()
{
    if (Writing())
        pending_ = true;
    else if (!timer_->isActive())
        timer_->start(delayMs_);
}

bool RecoveryCopy::Writing() const
{
    return writing_.valid() && writing_.wait_for(std::chrono::seconds(0)) != std::future_status::ready;
}

void RecoveryCopy::WaitForWrite()
{
    if (writing_.valid())
        WriteDone(writing_.get());
}

const std::string& RecoveryCopy::NameFor(const std::string& showPath)
{
    auto it = names_.find(showPath);
    if (it == names_.end())
        it = names_.emplace(showPath, RecoveryBaseName(showPath) + "-" + runTag_).first;
    return it->second;
}

void RecoveryCopy::WriteInBackground()
{
    if (Writing()) {
        pending_ = true; // the disk is slow: this copy follows the one under way
        return;
    }
    WaitForWrite();
    const RecoveryRecord record{source_.showPath(), Now()};
    const std::string name = folder_ + "/" + NameFor(record.ShowPath);
    writing_ = std::async(std::launch::async, [this, writer = writer_, name, record, bytes = source_.bytes()] {
        WriteResult result = writer(name + ".PRJ", name + ".txt", record, bytes);
        // Told on the interface thread; a message posted to this object goes with it.
        QMetaObject::invokeMethod(this, &RecoveryCopy::WaitForWrite, Qt::QueuedConnection);
        return result;
    });
}

void RecoveryCopy::WriteDone(const WriteResult& result)
{
    if (!result && !failing_)
        emit writeFailed(QString::fromStdString(result.error));
    failing_ = !result;
    if (std::exchange(pending_, false))
        timer_->start(delayMs_);
}

WriteResult RecoveryCopy::WriteNow()
{
    timer_->stop();
    WaitForWrite();
    timer_->stop();
    pending_ = false;
    const RecoveryRecord record{source_.showPath(), Now()};
    const std::string name = folder_ + "/" + NameFor(record.ShowPath);
    return writer_(name + ".PRJ", name + ".txt", record, source_.bytes());
}

std::string RecoveryCopy::WriteElsewhere(const std::string& dataFolder)
{
    const std::string show = source_.showPath();
    const std::string stem = show.empty() ? std::string("untitled") : fs::path(show).stem().string();
    const std::string name =
        stem + "-recovered-" + QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss").toStdString() + ".PRJ";
    std::vector<std::string> places;
    if (!show.empty())
        places.push_back((fs::path(show).parent_path() / name).string());
    places.push_back(dataFolder + "/" + name);
    const std::vector<uint8_t> bytes = source_.bytes();
    for (const std::string& place : places) {
        std::error_code ec;
        fs::create_directories(fs::path(place).parent_path(), ec);
        // Never over a file of that name: it may be another show.
        if (!fs::exists(place, ec) && WriteFileAtomically(place, bytes))
            return place;
    }
    return {};
}

void RecoveryCopy::Remove()
{
    timer_->stop();
    WaitForWrite();
    timer_->stop();
    pending_ = false;
    // Only what this run wrote: a copy kept from an earlier run for later stays.
    for (const auto& [show, name] : names_) {
        std::error_code ec;
        fs::remove(folder_ + "/" + name + ".txt", ec);
        fs::remove(folder_ + "/" + name + ".PRJ", ec);
    }
    names_.clear();
}

void RecoveryCopy::Adopt(const Found& found)
{
    names_[found.Record.ShowPath] = fs::path(found.CopyPath).stem().string();
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
        if (!record || !fs::is_regular_file(copy, ec))
            continue;
        // The name starts with the show's own part: a note copied over another's names no copy.
        const std::string stem = note.stem().string();
        const std::string show = RecoveryBaseName(record->ShowPath);
        if (stem == show || stem.starts_with(show + "-"))
            found.push_back({*record, copy.string(), note.string()});
    }
    std::sort(found.begin(), found.end(),
              [](const Found& a, const Found& b) { return a.Record.SavedAt > b.Record.SavedAt; });
    return found;
}
