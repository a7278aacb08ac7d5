#include "editor/edit_state.h"

void EditState::SetCurrentStep(int index)
{
    PreviousStep = CurrentStep;
    CurrentStep = index;
}

void EditState::EndDrag()
{
    Drag = DragKind::None;
    DragMoved = false;
    Thaw();
}

void EditState::Freeze(const LineSet& lines)
{
    frozen_ = std::make_unique<LineSet>(lines);
    frozenCurrent_ = CurrentStep;
}
