#include "remote/osc_unit.h"

#include "common/translation.h"

#include <algorithm>
#include <bit>

uint8_t TOscUnit::ByteAt(int32_t offset) const
{
    // Past the datagram there is nothing; a stale byte of an earlier one must not show.
    return offset >= 0 && offset < size_ ? data_[size_t(offset)] : 0;
}

std::string TOscUnit::ReadString()
{
    std::string text;
    for (int group = 0; group < MaxStringGroups && pos_ != -1; ++group) {
        uint8_t bytes[4];
        for (int i = 0; i < 4; ++i)
            bytes[i] = ByteAt(pos_ + i);
        pos_ += 4;
        if (pos_ >= size_)
            pos_ = -1;
        for (uint8_t b : bytes) {
            if (b == 0)
                break;
            text += char(b);
        }
        if (bytes[3] == 0)
            break;
    }
    return text;
}

uint32_t TOscUnit::ReadWord()
{
    if (pos_ == -1)
        return 0;
    if (int64_t(pos_) + 4 > size_) {
        pos_ = -1;
        return 0;
    }
    const uint32_t v = uint32_t(ByteAt(pos_)) << 24 | uint32_t(ByteAt(pos_ + 1)) << 16 |
                       uint32_t(ByteAt(pos_ + 2)) << 8 | ByteAt(pos_ + 3);
    pos_ += 4;
    if (pos_ >= size_)
        pos_ = -1;
    return v;
}

void TOscUnit::Skip(int64_t n)
{
    if (pos_ == -1)
        return;
    pos_ = int64_t(pos_) + n >= size_ ? -1 : int32_t(pos_ + n);
}

bool TOscUnit::AtBundle() const
{
    static constexpr char Head[8] = {'#', 'b', 'u', 'n', 'd', 'l', 'e', 0};
    if (pos_ == -1)
        return false;
    for (int i = 0; i < 8; ++i)
        if (ByteAt(pos_ + i) != uint8_t(Head[i]))
            return false;
    return true;
}

bool TOscUnit::Decode(std::span<const uint8_t> datagram)
{
    Address.clear();
    TypeTag.clear();
    ErrorText.clear();
    IntCount = FloatCount = StringCount = 0;
    ElementSize = 0;
    pos_ = 0;
    size_ = 0;

    if (datagram.empty())
        return false;
    if (datagram.size() > MaxSize) {
        ErrorText = TRANSLATABLE_TEXT("Core", "受信サイズが大きすぎます");
        return false;
    }
    // A plain message is read as a bundle's first message is: its address starts at 0.
    const bool plain = datagram[0] == '/';
    if (datagram.size() < (plain ? MinMessageSize : MinSize)) {
        ErrorText = TRANSLATABLE_TEXT("Core", "受信サイズが小さすぎます");
        return false;
    }
    size_ = int32_t(datagram.size());
    std::copy(datagram.begin(), datagram.end(), data_.begin());

    if (!plain) {
        if (ReadString() != "#bundle")
            return false;
        Skip(8); // the time tag
        ElementSize = int32_t(ReadWord());
        // A bundle as the first element: its head and time tag, then its own first element.
        // An empty one is followed by its parent's next element: either way the next message
        // in order is the one read.
        while (AtBundle()) {
            Skip(16);
            ElementSize = int32_t(ReadWord());
        }
    }
    Address = ReadString();
    TypeTag = ReadString();
    if (TypeTag.empty()) {
        ErrorText = TRANSLATABLE_TEXT("Core", "TypeTagがありません");
        return false;
    }
    if (TypeTag[0] != ',') {
        ErrorText = TRANSLATABLE_TEXT("Core", "不正なTypeTagです");
        return false;
    }
    // Every argument is passed over whole, kept or not, so that the next one is read from
    // where it begins.
    for (size_t i = 1; i < TypeTag.size(); ++i) {
        switch (TypeTag[i]) {
        case 'i': {
            const int32_t v = int32_t(ReadWord());
            if (IntCount < MaxArgs)
                IntArgs[size_t(IntCount++)] = v;
            break;
        }
        case 'f': {
            const float v = std::bit_cast<float>(ReadWord());
            if (FloatCount < MaxArgs)
                FloatArgs[size_t(FloatCount++)] = v;
            break;
        }
        case 's': {
            std::string v = ReadString();
            if (StringCount < MaxArgs)
                StringArgs[size_t(StringCount++)] = std::move(v);
            break;
        }
        case 'S': // a symbol: a string by another name
            ReadString();
            break;
        case 'c': // a character, an RGBA colour, a MIDI message: one word each
        case 'r':
        case 'm':
            Skip(4);
            break;
        case 'd': // a double, a 64-bit integer, a time tag: two words each
        case 'h':
        case 't':
            Skip(8);
            break;
        case 'b': {
            // A size, then as many bytes padded to a whole word; a size beyond the datagram
            // ends the reading.
            const int64_t n = int32_t(ReadWord());
            Skip(n < 0 ? int64_t(size_) : (n + 3) / 4 * 4);
            break;
        }
        default: // T F N I [ ] carry no bytes; nothing is known of other types
            break;
        }
    }
    return true;
}
