#pragma once
// What changed in the editor, as EditorSession reports it once per change: the document's
// own report, the editing state, the current line, or everything (a new show, its sound,
// the panes' colours). Each view repaints only what the report names and it shows.

#include "document/document_observer.h"

#include <cstdint>

struct EditorChange {
    uint8_t Lines = 0;       // bit l: the steps of line l changed
    bool Selection = false;  // some step's selection changed
    bool Header = false;     // title, sound file, patch, lead-in or run-out
    bool Modified = false;   // the Modified flag flipped
    bool Undo = false;       // the undo history became empty or stopped being empty
    bool Editing = false;    // the current step or the drag under way changed
    bool CurrentLine = false;
    bool Everything = false; // a new show or sound, or the look of the panes

    static EditorChange FromDocument(const DocumentChange& c)
    {
        return {c.Lines, c.Selection, c.Header, c.Modified, c.Undo, false, false, false};
    }
    static EditorChange OfEditing() { return {.Editing = true}; }
    static EditorChange OfEverything() { return {.Everything = true}; }

    bool TouchesLine(int line) const { return Everything || (Lines & LineBit(line)) != 0; }
    // What the panes that show the current line's steps and the current step repaint for.
    bool TouchesCurrentLine(int line) const
    {
        return TouchesLine(line) || Selection || Editing || CurrentLine;
    }
};

// The status bar's panels, left to right.
enum class StatusPanel { NetworkAudio, StepTime, Value, Selection, Hint };
inline constexpr int StatusPanelCount = 5;
