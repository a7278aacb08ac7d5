#pragma once
// The one-line description of a sound file that the project settings dialog shows:
// "44.1kHz 16bit stereo  00:03:25.50" for a WAV file, "44.1kHz stereo   3:25" for an MP3.

#include <string>

// Empty when the file is not found (a relative path is taken from the executable's
// folder), is neither .wav nor .mp3, or cannot be read; an unreadable WAV header also
// shows its message.
std::string SoundInfoText(const std::string& path);
