#pragma once
// The audio output test: true when the default output of the desktop's sound server can be
// opened for 16-bit stereo at 44.1 kHz; it is closed again at once.

bool ProbeAudioOutput();
