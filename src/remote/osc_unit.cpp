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
        if (pos_ != -1)
            pos_ = pos_ + 8 >= size_ ? -1 : pos_ + 8; // the time tag is not used
        ElementSize = int32_t(ReadWord());
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
    for (size_t i = 1; i < TypeTag.size(); ++i) {
        switch (TypeTag[i]) {
        case 'i':
            if (IntCount < MaxArgs)
                IntArgs[size_t(IntCount++)] = int32_t(ReadWord());
            break;
        case 'f':
            if (FloatCount < MaxArgs)
                FloatArgs[size_t(FloatCount++)] = std::bit_cast<float>(ReadWord());
            break;
        case 's':
            if (StringCount < MaxArgs)
                StringArgs[size_t(StringCount++)] = ReadString();
            break;
        default:
            break;
        }
    }
    return true;
}
