#pragma once
// Layout of the project file: a header, then 52-byte step records to the end of the file.

#include <cstddef>

inline constexpr size_t ProjectHeaderSize = 5016;
inline constexpr size_t OldProjectHeaderSize = 4568;
// Version number (digits of the version text without dots, first three) from which on
// the header holds UTF-16 text.
inline constexpr int FirstUtf16Version = 125;
