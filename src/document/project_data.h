#pragma once
// The show document: header, eight lines of steps, clipboards, undo history.
//
// Threads: the user interface thread is the only writer. The playback engine's worker
// reads the lines (EvaluateLine) under ReadLock(). Every operation here that changes a
// line takes the exclusive lock itself, for as short as it can; none holds it across a
// question, a wait or file I/O. Reads on the user interface thread need no lock.
//
// Every change goes through an operation below, which reports what it changed to the
// observers once its lock is released (one report per operation, nested ones included).

#include "common/atomic_file.h"
#include "document/color.h"
#include "document/document_observer.h"
#include "document/play_globals.h"
#include "document/step_rec.h"

#include <array>
#include <atomic>
#include <deque>
#include <mutex>
#include <optional>
#include <shared_mutex>
#include <span>
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

// A step named by its line and its index in that line.
struct StepPos {
    int Line = 0;
    int Index = 0;
};

// Where a step was drawn in the extended selection's plot.
struct PlotPoint {
    StepPos Step;
    int32_t X = 0;
    int32_t Y = 0;
};

// The steps a drag holds on to, as indexes into the current line (-1: none). The drag
// operations update them when they re-sort the line, so they keep naming the same steps.
struct DragSteps {
    int First = -1;   // the first selected step of the current line when the drag began
    int Last = -1;    // the last one
    int Dragged = -1; // the step under the pointer
};

struct StepTimeResult {
    bool Refused = false; // the time lies outside the sound: nothing changed
    int Current = -1;     // the current step's index after the line was sorted again
};

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

    // Observers are not owned; remove one before it is destroyed.
    void AddObserver(DocumentObserver& observer);
    void RemoveObserver(DocumentObserver& observer);

    // Queries and selection. Indexes name steps of the current line unless a StepPos says otherwise.
    TStepRec* StepAt(int index);
    const TStepRec* StepAt(int index) const;
    int CountSelected() const;
    int CountSelectedAll() const;
    int TotalStepCount() const;
    void SetSelection(uint8_t value, bool allLines);
    void SelectRange(int a, int b);
    // Selects the step; with `alone`, a step not yet selected becomes the only selected one
    // (a selected step keeps the others, so that a group can be dragged).
    void SelectStep(int index, bool alone);
    void SelectSteps(std::span<const StepPos> steps); // adds them to the selection
    void SelectOnly(std::span<const StepPos> steps);  // they and no others
    void SetPlotPoints(std::span<const PlotPoint> points);
    void Normalize();
    void ClearLine(int index);

    // Header edits. The patch and the play times are the live values in PlayGlobals.
    // Stores path, without the executable's folder when the path lies inside it.
    void SetSoundPath(const std::string& path);
    void SetSoundFileTime(double time);
    void SetTitle(const std::u16string& title);
    // Sources for the entries from `first` on; entries past the last slot are ignored.
    void SetPatchEntries(int first, std::span<const int32_t> sources);
    // The through patch a new show starts with; not a change that needs saving.
    void SetNewShowPatch();
    // Marks the show modified only when a time differs from before.
    void SetPlayTimes(int32_t prePlayTime, int32_t postPlayTime);
    void MarkModified();

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
    // Returns where the step at index `dragged` of the current line is afterwards.
    int MoveSelected(int32_t delta, bool keepOrder, int dragged = -1);
    // Puts steps.Dragged (steps.First or steps.Last) at `time` and re-times the other selected
    // steps of the current line about the fixed end, from their DragOrigin.
    void StretchSelected(DragSteps& steps, int32_t time);
    void StretchTime(double factor);
    void StretchBrightness(double factor);
    void AlignSelected();
    int CopyFromLine(int source, int target);
    void PushUndo();
    void Undo();
    void ClearUndo();

    // The editor's commands on the current step (`current`, -1 for none) and the selection.
    void ColorSteps(int current, uint32_t color); // with undo
    StepTimeResult SetStepTime(int current, int32_t time); // with undo; refused outside the sound
    int MoveStepToCursor(int current); // with undo; returns the step's new index
    // One brightness step, no undo; false when there is no step or it is at the limit.
    bool BrightnessUp(int current);
    bool BrightnessDown(int current);

    // Mouse editing on the lane, the mark bar and the colour bar.
    // A press that may start a drag: undo snapshot, every selected step of the current line
    // remembers its Time in DragOrigin. Returns the first and last of them and `pressed`.
    DragSteps StartDrag(int pressed);
    // The dragged step takes `brightness`; the other selected steps of all lines move by as
    // much, each clamped on its own.
    void DragBrightness(int dragged, int32_t brightness);
    // Every selected step of all lines and the current step, clamped each.
    void WheelBrightness(int current, int32_t delta);
    // No undo. `markModified` false for a write that only mirrors the step's value back.
    void SetStepBrightness(int index, int32_t brightness, bool markModified = true);
    void ZeroBrightness(int current); // with undo
    void PaintColor(int current, uint32_t color, bool withUndo);
    // The release of a time drag: the dragged step lands at `dropAt` when given, the lines are
    // tidied. Returns the dragged step's new index.
    int EndTimeDrag(int dragged, std::optional<int32_t> dropAt);

    // Project file: 0 on failure, else 1 + the number of steps read.
    int LoadProject(const std::string& path);
    WriteResult SaveProject(bool keepUndo);
    // The project file's bytes for the show as it is now, changing nothing (the recovery
    // copy): the live patch and times, the selection as it stands.
    std::vector<uint8_t> ProjectBytes() const;

    // Group file of the selected steps.
    WriteResult SaveGroup(const std::string& path) const;
    int LoadGroup(const std::string& path, int32_t t);

private:
    // Gathers what one operation (and the operations it calls) changed and reports it to the
    // observers when the outermost one ends. Declare it before the lock, so the lock is
    // released first.
    class ChangeScope {
    public:
        explicit ChangeScope(ProjectData& doc);
        ~ChangeScope();
        ChangeScope(const ChangeScope&) = delete;
        ChangeScope& operator=(const ChangeScope&) = delete;

    private:
        ProjectData& doc_;
    };

    std::unique_lock<std::shared_mutex> WriteLock() { return std::unique_lock(mutex_); }
    TStepList& Current() { return Lines[CurrentLineIndex()]; }
    int CurrentLineIndex() const;
    // Sorts by Time and recomputes durations; true when anything changed. `track` holds
    // indexes into the line that follow their steps through the sort.
    static bool NormalizeLine(TStepList& line, std::span<int> track = {});
    // Every line; `track` follows steps of the current line. Returns the lines that changed.
    uint8_t NormalizeAll(std::span<int> track = {});
    void DeleteSelectedOn(bool allLines);
    void MakeSnapshot(TStepList& out) const;

    PlayGlobals& globals_;
    mutable std::shared_mutex mutex_;
    std::vector<DocumentObserver*> observers_;
    int scopeDepth_ = 0;
    DocumentChange pending_;
    bool modifiedBefore_ = false;
    bool undoEmptyBefore_ = true;
};

// EvaluateLine on one list (sorted by Time): binary search for the step at or before t.
ColorPair EvaluateSteps(const TStepList& line, int32_t t);
// The blend between step p and its successor n at time t (p.Time <= t < n.Time).
ColorPair BlendSteps(const TStepRec& p, const TStepRec& n, int32_t t);
