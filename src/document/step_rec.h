#pragma once
// The 52-byte step record: one colour and brightness at one moment of a line. The same
// layout is used in memory, in project files and in group files.

#include <array>
#include <cstddef>
#include <cstdint>

// A line has no colour at that time (before its first step).
inline constexpr uint32_t NoColor = 0x1FFFFFFF;

inline constexpr int LineCount = 8;
inline constexpr size_t StepRecSize = 52;

struct TStepRec {
    int32_t Line = 0;
    int32_t Time = 0;       // ms from the start of the sound; negative in the lead-in
    int32_t Duration = 0;   // ms to the next step of the line; 0 for the last
    uint32_t Color = 0;     // 0x00BBGGRR or NoColor
    int32_t Brightness = 0; // -255..255
    uint8_t Selected = 0;
    std::array<uint8_t, 3> Padding{};
    int32_t DragOrigin = 0; // Time when a drag began
    int32_t PlotX = 0;      // point in the extended selection plot
    int32_t PlotY = 0;
    std::array<uint8_t, 16> Reserved{};

    friend bool operator==(const TStepRec&, const TStepRec&) = default;
};

// Reads and writes exactly StepRecSize bytes at p.
TStepRec DecodeStep(const uint8_t* p);
void EncodeStep(const TStepRec& step, uint8_t* p);

inline bool IsValidLine(int32_t line) { return line >= 0 && line < LineCount; }
