#include "common/text_codec.h"

#include <cerrno>
#include <iconv.h>

namespace {

constexpr char32_t Replacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

void AppendUtf16(std::u16string& out, char32_t cp)
{
    if (cp < 0x10000) {
        out += char16_t(cp);
    } else {
        cp -= 0x10000;
        out += char16_t(0xD800 + (cp >> 10));
        out += char16_t(0xDC00 + (cp & 0x3FF));
    }
}

// The length of the UTF-8 sequence at text[i] with its code point in cp, or 0 when the
// bytes there are no valid sequence.
size_t Utf8SequenceAt(std::string_view text, size_t i, char32_t& cp)
{
    const unsigned char c = text[i];
    const size_t len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
    if (len == 0 || i + len > text.size())
        return 0;
    cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
    for (size_t k = 1; k < len; ++k) {
        const unsigned char cc = text[i + k];
        if ((cc & 0xC0) != 0x80)
            return 0;
        cp = cp << 6 | (cc & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not valid UTF-8.
    if ((len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000) ||
        (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
        return 0;
    return len;
}

} // namespace

std::string Utf16ToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t u = text[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            u = 0x10000 + ((u - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            u = Replacement;
        }
        AppendUtf8(out, u);
    }
    return out;
}

std::u16string Utf8ToUtf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        char32_t cp = 0;
        const size_t len = Utf8SequenceAt(text, i, cp);
        if (len == 0) {
            AppendUtf16(out, Replacement);
            ++i;
            continue;
        }
        AppendUtf16(out, cp);
        i += len;
    }
    return out;
}

std::string ValidUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    size_t i = 0;
    while (i < bytes.size()) {
        char32_t cp = 0;
        const size_t len = Utf8SequenceAt(bytes, i, cp);
        if (len == 0) {
            AppendUtf8(out, Replacement);
            ++i;
            continue;
        }
        out.append(bytes.substr(i, len));
        i += len;
    }
    return out;
}

bool IsValidUtf8(std::string_view bytes)
{
    size_t i = 0;
    char32_t cp = 0;
    while (i < bytes.size()) {
        const size_t len = Utf8SequenceAt(bytes, i, cp);
        if (len == 0)
            return false;
        i += len;
    }
    return true;
}

std::u16string Cp932ToUtf16(std::string_view bytes)
{
    std::u16string out;
    iconv_t cd = iconv_open("UTF-16LE", "CP932");
    if (cd == iconv_t(-1)) {
        // Without the converter, keep what ASCII there is.
        for (unsigned char c : bytes)
            out += c < 0x80 ? char16_t(c) : char16_t(Replacement);
        return out;
    }
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    char buf[256];
    while (inLeft > 0) {
        char* o = buf;
        size_t oLeft = sizeof buf;
        size_t r = iconv(cd, &in, &inLeft, &o, &oLeft);
        for (char* p = buf; p + 1 < o; p += 2)
            out += char16_t(uint8_t(p[0]) | uint8_t(p[1]) << 8);
        if (r == size_t(-1) && errno != E2BIG) {
            // EILSEQ or EINVAL (a lead byte at the end): replace one byte and go on.
            out += char16_t(Replacement);
            ++in;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
    return out;
}
