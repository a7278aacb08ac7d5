#pragma once
// The editing state that the canvas panes and the colour bar share: the current step and
// the one before it, the drag under way, the one-shot double-click guards and the lock
// that keeps programmatic brightness changes from marking the show modified. The panes
// also tell each other through it what to show: the brightness of a step that became
// current, status texts, and when the canvas and the colour labels are stale.

#include "document/project_data.h"

#include <QObject>
#include <QString>

#include <array>
#include <memory>

enum class DragKind { None, Time, Brightness, Stretch };
// The pane whose press started the drag: it draws the outlines.
enum class DragPane { Lane, MarkBar };

class EditState : public QObject {
    Q_OBJECT
public:
    using LineSet = std::array<TStepList, LineCount>;

    explicit EditState(QObject* parent = nullptr) : QObject(parent) {}

    int CurrentStep = -1;  // index in the current line; -1 none
    int PreviousStep = -1; // CurrentStep before its last change: the anchor of Shift selections

    DragKind Drag = DragKind::None;
    DragPane DragOwner = DragPane::Lane;
    DragSteps Dragged; // followed through the re-sorts of the drag
    bool DragMoved = false;

    bool IgnoreStepPress = false;  // the next press on a step starts no drag
    bool IgnoreEmptyPress = false; // the next press on empty lane does nothing
    int UpdateLock = 0;            // above 0: brightness shown on the track bar is not an edit

    // PreviousStep takes the old value.
    void SetCurrentStep(int index);
    void ClearCurrentStep() { PreviousStep = CurrentStep = -1; }
    bool Dragging() const { return Drag != DragKind::None; }
    void EndDrag();

    // While a drag runs without live display, the panes paint the lines as they were when
    // it began; null otherwise.
    const LineSet* Frozen() const { return frozen_.get(); }
    void Freeze(const LineSet& lines);
    void Thaw() { frozen_.reset(); }
    // The current step as the panes paint it: the one of the frozen lines during such a drag.
    int PaintedCurrentStep() const { return frozen_ ? frozenCurrent_ : CurrentStep; }

    // A step became current or its brightness changed: the track bar follows.
    void ShowBrightness(int32_t brightness) { emit brightnessShown(brightness); }
    void ShowStatus(int panel, const QString& text) { emit statusText(panel, text); }
    void RepaintCanvas() { emit canvasStale(); }
    void RefreshColourLabels() { emit colourLabelsStale(); }
    void AnnounceLine(int line) { emit currentLineChanged(line); }

signals:
    void brightnessShown(int32_t brightness);
    void statusText(int panel, const QString& text);
    void canvasStale();
    void colourLabelsStale();
    // Another line became current.
    void currentLineChanged(int line);

private:
    std::unique_ptr<LineSet> frozen_;
    int frozenCurrent_ = -1;
};
