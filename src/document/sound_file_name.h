#pragma once
// The sound file's name as a show keeps it: in UTF-16, relative to the executable's folder
// when the file lies inside it, in a project file field of SoundFileUnits units with its
// terminator. A name that does not fit would be cut and the show would lose its sound, so
// every way of choosing a sound asks SoundFileRefusal first.

#include <string>

// The stored form of path (a full path, as chosen).
std::u16string StoredSoundFile(const std::string& path);

// Why the show cannot keep path as its sound file, as the message to show; empty when it
// can. Refused: a name that is not UTF-8, and one whose stored form is too long.
std::string SoundFileRefusal(const std::string& path);
