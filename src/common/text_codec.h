#pragma once
// Conversions between the UTF-16 texts of the file formats, the Shift-JIS texts of old
// project files and the UTF-8 strings the program works with.

#include <string>
#include <string_view>

// UTF-16 units to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// UTF-8 to UTF-16 units; each byte of an invalid sequence becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);

// Bytes read as UTF-8: valid sequences as they are, each byte of an invalid one as U+FFFD.
std::string ValidUtf8(std::string_view bytes);

// Whether bytes are valid UTF-8 throughout (no overlong forms, surrogates or code points
// past U+10FFFF). A file name that is not cannot be stored in a show's UTF-16 fields
// without being changed, so it is refused before it gets there.
bool IsValidUtf8(std::string_view bytes);

// Code page 932 (the Windows form of Shift-JIS, where 0x5C stays a backslash) to UTF-16;
// an invalid byte becomes U+FFFD and decoding goes on after it.
std::u16string Cp932ToUtf16(std::string_view bytes);
