#pragma once
// The recovery copy of a show with unsaved changes: the project file as it stands, kept in
// the recovery folder with a note naming the show, written at most a delay after the first
// change since the last copy. The file is made on the user interface thread (a pass over the
// steps) and written to disk on a thread of its own, so editing never waits for the disk.
// The show's own file is never touched.
//
// Each run writes under names of its own, so a copy an earlier run left (one the person
// kept for later) is never overwritten or removed by this run, unless the person opened it:
// then it is this run's copy of that show.

#include "common/atomic_file.h"
#include "settings/recovery_record.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <future>
#include <map>
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
    // Puts one copy on disk: the project file and its note under the paths given. Runs on
    // the writing thread; tests put a slow or failing one in.
    using Writer = std::function<WriteResult(const std::string& copyPath, const std::string& notePath,
                                             const RecoveryRecord& record, const std::vector<uint8_t>& bytes)>;

    RecoveryCopy(std::string folder, int delayMs, Source source, QObject* parent = nullptr, Writer writer = {});
    // Waits for a write under way.
    ~RecoveryCopy() override;

    // The show has unsaved changes: a copy follows within the delay.
    void Due();
    // Writes the copy now and waits until it is on disk (the program is about to end).
    WriteResult WriteNow();
    // Where the show went when no copy could be written at the end: the project file beside
    // the show, or else in dataFolder, under a name of its own. Empty when neither took it.
    std::string WriteElsewhere(const std::string& dataFolder);
    // The show was saved or its changes discarded: the copies this run wrote go (also one
    // under the name it had before a save under another).
    void Remove();
    // The found copy was opened: it is this run's copy of its show from now on.
    void Adopt(const Found& found);
    // Removes one found copy.
    static void Discard(const Found& found);

    // The copies in folder, newest first; a copy without a readable note is left alone.
    static std::vector<Found> FindAll(const std::string& folder);
    const std::string& Folder() const { return folder_; }

signals:
    // A copy could not be written: said once, until a copy is written again.
    void writeFailed(const QString& reason);

private:
    // This run's name for the copy of a show, without its extension.
    const std::string& NameFor(const std::string& showPath);
    void WriteInBackground();
    void WriteDone(const WriteResult& result);
    void WaitForWrite();
    bool Writing() const;

    std::string folder_;
    int delayMs_;
    Source source_;
    Writer writer_;
    QTimer* timer_;
    std::string runTag_;
    std::future<WriteResult> writing_;
    // A copy fell due while one was being written: it follows that one.
    bool pending_ = false;
    bool failing_ = false;
    // The shows this run wrote copies of since the last removal, and the names they took.
    std::map<std::string, std::string> names_;
};
