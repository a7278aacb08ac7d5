#pragma once
// What an edit of the show document changed, reported to whoever shows the document, so
// that each view repaints only what it shows.

#include <cstdint>

struct DocumentChange {
    // Bit l: the steps of line l changed in what is painted, played or saved (count, order,
    // time, duration, colour, brightness). The drag and plot scratch fields and the
    // selection do not count here.
    uint8_t Lines = 0;
    bool Selection = false; // some step's Selected changed
    bool Header = false;    // title, sound file or its time, the live patch, lead-in or run-out
    bool Modified = false;  // the document's Modified flag flipped
    bool Undo = false;      // the undo history became empty or stopped being empty

    bool Any() const { return Lines != 0 || Selection || Header || Modified || Undo; }
    DocumentChange& operator|=(const DocumentChange& other);
    friend bool operator==(const DocumentChange&, const DocumentChange&) = default;
};

inline constexpr uint8_t AllLines = 0xFF;

inline uint8_t LineBit(int line) { return uint8_t(1u << unsigned(line)); }

// Told after an edit, a load or an undo, once the document's lock is released, so it may
// read the document (or edit it again). Called on the thread that edits: the user interface.
class DocumentObserver {
public:
    virtual ~DocumentObserver() = default;
    virtual void DocumentChanged(const DocumentChange& change) = 0;
};
