#pragma once
// Conversions between the UTF-16 texts of the file formats, the Shift-JIS texts of old
// project files and the UTF-8 strings the program works with.

#include <string>
#include <string_view>

// UTF-16 units to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// UTF-8 to UTF-16 units; an invalid byte sequence becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);

// Code page 932 (the Windows form of Shift-JIS, where 0x5C stays a backslash) to UTF-16;
// an invalid byte becomes U+FFFD and decoding goes on after it.
std::u16string Cp932ToUtf16(std::string_view bytes);
