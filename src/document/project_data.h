#pragma once
// The show document: header, eight lines of steps, clipboards, undo history.
//
// Threads: the user interface thread is the only writer. The playback engine's worker
// reads the lines (EvaluateLine) under ReadLock(). Every operation here that changes a
// line takes the exclusive lock itself, for as short as it can; none holds it across a
// question, a wait or file I/O. Reads on the user interface thread need no lock.

#include "common/atomic_file.h"
#include "document/color.h"
#include "document/play_globals.h"
#include "document/step_rec.h"

#include <array>
#include <atomic>
#include <deque>
#include <mutex>
#include <shared_mutex>
#include <string>
#include <vector>

using TStepList = std::vector<TStepRec>;
using TUndoList = std::deque<TStepList>; // newest first

inline constexpr size_t UndoDepth = 50;
inline constexpr size_t VersionUnits = 64;
inline constexpr size_t TitleUnits = 128;
inline constexpr size_t SoundFileUnits = 260;
inline constexpr size_t ReservedHeaderBytes = 2048;

// DMX slot i+1 takes source i for i < 24; the rest are unpatched.
std::array<int32_t, DmxSlots> ThroughPatch();

class ProjectData {
public:
    explicit ProjectData(PlayGlobals& globals = Globals());
    ProjectData(const ProjectData&) = delete;
    ProjectData& operator=(const ProjectData&) = delete;

    // Header (the stored form of the show; the live patch and play times are in PlayGlobals).
    std::u16string Version; // at most VersionUnits - 1 units
    std::u16string Title;   // at most TitleUnits - 1
    std::u16string SoundFile; // at most SoundFileUnits - 1
    double SoundFileTime = 0;
    std::array<int32_t, DmxSlots> Patch;
    int32_t PrePlayTime = 10000;
    int32_t PostPlayTime = 10000;
    std::array<uint8_t, ReservedHeaderBytes> Reserved{};

    std::array<TStepList, LineCount> Lines;
    TStepList LineClipboard;
    TStepList MultiClipboard;
    TUndoList UndoList;
    std::atomic<int32_t> CurrentLine{0}; // read by the engine's tick
    std::string FileName;
    bool Modified = false;

    PlayGlobals& Play() const { return globals_; }
    std::shared_lock<std::shared_mutex> ReadLock() const { return std::shared_lock(mutex_); }
    // For edits made directly on steps by the editor's commands.
    std::unique_lock<std::shared_mutex> WriteLock() { return std::unique_lock(mutex_); }

    // Queries and selection
    TStepRec* StepAt(int index);
    int CountSelected() const;
    int CountSelectedAll() const;
    int TotalStepCount() const;
    void SetSelection(uint8_t value, bool allLines);
    void SelectRange(int a, int b);
    void Normalize();
    void ClearLine(int index);
    // Stores path, without the executable's folder when the path lies inside it.
    void SetSoundPath(const std::string& path);
    void SetTitle(const std::u16string& title);

    // Colour of a line at time t. Callers off the user interface thread hold ReadLock().
    ColorPair EvaluateLine(int line, int32_t t) const;

    // Editing (each sets Modified; see the undo column of each)
    int AddStep(uint32_t color, int32_t brightness, int32_t time, int32_t duration, bool withUndo);
    void AddEmptyStep(int32_t time);
    void DeleteSelected();
    void DeleteSelectedAll();
    void DeleteAllSteps();
    void CopySelected(bool cut);
    void CopySelectedAll(bool cut);
    void PasteSteps(int32_t t);
    void PasteStepsAll(int32_t t);
    void MoveSelected(int32_t delta, bool keepOrder);
    // first, last, dragged: indexes into the current line.
    void StretchSelected(int first, int last, int dragged, double ratio);
    void StretchTime(double factor);
    void StretchBrightness(double factor);
    void AlignSelected();
    int CopyFromLine(int source, int target);
    void PushUndo();
    void Undo();
    void ClearUndo();

    // Project file: 0 on failure, else 1 + the number of steps read.
    int LoadProject(const std::string& path);
    WriteResult SaveProject(bool keepUndo);

    // Group file of the selected steps.
    WriteResult SaveGroup(const std::string& path) const;
    int LoadGroup(const std::string& path, int32_t t);

private:
    TStepList& Current() { return Lines[CurrentLineIndex()]; }
    int CurrentLineIndex() const;
    void NormalizeLine(TStepList& line);
    void NormalizeAll();
    void DeleteSelectedOn(bool allLines);
    void MakeSnapshot(TStepList& out) const;

    PlayGlobals& globals_;
    mutable std::shared_mutex mutex_;
};

// EvaluateLine on one list (sorted by Time): binary search for the step at or before t.
ColorPair EvaluateSteps(const TStepList& line, int32_t t);
// The blend between step p and its successor n at time t (p.Time <= t < n.Time).
ColorPair BlendSteps(const TStepRec& p, const TStepRec& n, int32_t t);
