#pragma once
// The recovery copy of a show with unsaved changes: the project file as it stands, kept in
// the recovery folder with a note naming the show, written at most a delay after the first
// change since the last copy. The file is made on the user interface thread (a pass over the
// steps) and written to disk on a thread of its own, so editing never waits for the disk.
// The show's own file is never touched.

#include "settings/recovery_record.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <future>
#include <string>
#include <vector>

class QTimer;

class RecoveryCopy : public QObject {
    Q_OBJECT
public:
    // The show's file (empty: untitled) and its project file bytes as they are now.
    struct Source {
        std::function<std::string()> showPath;
        std::function<std::vector<uint8_t>()> bytes;
    };
    struct Found {
        RecoveryRecord Record;
        std::string CopyPath; // the project file
        std::string NotePath;
    };

    RecoveryCopy(std::string folder, int delayMs, Source source, QObject* parent = nullptr);
    // Waits for a write under way.
    ~RecoveryCopy() override;

    // The show has unsaved changes: a copy follows within the delay.
    void Due();
    // Writes the copy now and waits until it is on disk (the program is about to end).
    bool WriteNow();
    // The show was saved or its changes discarded: the copies written for it go (also one
    // under the name it had before a save under another).
    void Remove();
    // The copy found for showPath was opened: it is this run's copy of the show from now on.
    void Adopt(const std::string& showPath) { written_.push_back(showPath); }
    // Removes one found copy.
    static void Discard(const Found& found);

    // The copies in folder, newest first; a copy without a readable note is left alone.
    static std::vector<Found> FindAll(const std::string& folder);
    const std::string& Folder() const { return folder_; }

private:
    void WriteInBackground();
    void WaitForWrite();
    static bool Write(const std::string& folder, const RecoveryRecord& record, const std::vector<uint8_t>& bytes);

    std::string folder_;
    Source source_;
    QTimer* timer_;
    std::future<bool> writing_;
    // The show names copies were written under since the last removal.
    std::vector<std::string> written_;
};
