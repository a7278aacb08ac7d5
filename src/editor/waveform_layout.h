#pragma once
// Heights and captions of the two waveform panes, the bevel between them and their header
// panels, for mono or stereo display. No Qt.

inline constexpr int MonoBevelHeight = 2;
inline constexpr int StereoBevelHeight = 8;

struct WaveformLayout {
    int WaveHeight = 0; // both panes and the bevel
    int BevelHeight = 0;
    int LeftHeight = 0;
    int RightHeight = 0;
    int LeftHeaderHeight = 0;
    int RightHeaderHeight = 0;
    const char* LeftCaption = "";
    const char* RightCaption = "";
};

// Lays the panes out again in the height they and the bevel take now (after the splitter
// moved, or after the mono command changed the bevel and gave the right pane the difference).
WaveformLayout LayOutWaveforms(int leftHeight, int bevelHeight, int rightHeight, bool mono);
