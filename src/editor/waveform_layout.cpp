#include "editor/waveform_layout.h"

WaveformLayout LayOutWaveforms(int leftHeight, int bevelHeight, int rightHeight, bool mono)
{
    WaveformLayout l;
    l.WaveHeight = leftHeight + rightHeight + bevelHeight;
    l.BevelHeight = bevelHeight;
    if (mono) {
        l.LeftHeight = 2;
        l.RightHeight = l.WaveHeight - bevelHeight - 2;
        l.LeftHeaderHeight = 4;
        l.RightHeaderHeight = l.WaveHeight + 4;
        l.RightCaption = "L+R";
    } else {
        l.LeftHeight = l.RightHeight = (l.WaveHeight - bevelHeight) / 2;
        l.LeftHeaderHeight = l.RightHeaderHeight = (l.WaveHeight + bevelHeight) / 2;
        l.LeftCaption = "L";
        l.RightCaption = "R";
    }
    return l;
}
