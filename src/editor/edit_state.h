#pragma once
// The editing state that the canvas panes and the colour bar read: the current step and the
// one before it, the drag under way and the lines as they were when it began, and the
// one-shot guards that keep a double-click's second press from starting a drag. Views read
// it; only EditorSession writes it, through its intent-named calls, and reports every
// change in its change signal.

#include "document/project_data.h"

#include <array>
#include <memory>

enum class DragKind { None, Time, Brightness, Stretch };
// The pane whose press started the drag: it draws the outlines.
enum class DragPane { Lane, MarkBar };

class EditState {
public:
    using LineSet = std::array<TStepList, LineCount>;

    int CurrentStep() const { return currentStep_; } // index in the current line; -1 none
    // CurrentStep before its last change: the anchor of Shift selections.
    int PreviousStep() const { return previousStep_; }

    DragKind Drag() const { return drag_; }
    DragPane DragOwner() const { return dragOwner_; }
    bool Dragging() const { return drag_ != DragKind::None; }
    bool DraggingOn(DragPane pane) const { return Dragging() && dragOwner_ == pane; }
    // The steps the drag follows through the re-sorts.
    const DragSteps& Dragged() const { return dragged_; }
    bool DragMoved() const { return dragMoved_; }

    // While a drag runs without live display, the panes paint the lines as they were when
    // it began; null otherwise.
    const LineSet* Frozen() const { return frozen_.get(); }
    // The current step as the panes paint it: the one of the frozen lines during such a drag.
    int PaintedCurrentStep() const { return frozen_ ? frozenCurrent_ : currentStep_; }

    bool StepPressIgnored() const { return ignoreStepPress_; }
    bool EmptyPressIgnored() const { return ignoreEmptyPress_; }

private:
    friend class EditorSession;

    // PreviousStep takes the old value.
    void SetCurrentStep(int index)
    {
        previousStep_ = currentStep_;
        currentStep_ = index;
    }
    void ClearCurrentStep() { previousStep_ = currentStep_ = -1; }
    void Freeze(const LineSet& lines)
    {
        frozen_ = std::make_unique<LineSet>(lines);
        frozenCurrent_ = currentStep_;
    }

    int currentStep_ = -1;
    int previousStep_ = -1;
    DragKind drag_ = DragKind::None;
    DragPane dragOwner_ = DragPane::Lane;
    DragSteps dragged_;
    bool dragMoved_ = false;
    bool ignoreStepPress_ = false;  // the next press on a step starts no drag
    bool ignoreEmptyPress_ = false; // the next press on empty lane does nothing
    std::unique_ptr<LineSet> frozen_;
    int frozenCurrent_ = -1;
};
