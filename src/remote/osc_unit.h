#pragma once
// Takes one received OSC datagram apart: a plain message, or of a bundle only its first
// message in order (inside a bundle within it, if that comes first). Bundles run when they
// arrive: their time tags are skipped. A pure function of the bytes: nothing outside the
// datagram is ever read.

#include <array>
#include <cstdint>
#include <span>
#include <string>

class TOscUnit {
public:
    static constexpr size_t MaxSize = 1024;
    static constexpr size_t MinSize = 24;       // a bundle with a message
    static constexpr size_t MinMessageSize = 4; // a plain message: at least its address
    static constexpr int MaxArgs = 32;
    static constexpr int MaxStringGroups = 32;

    // True when the datagram was read to the end of its type tag; every argument's bytes
    // are passed over, also of the types that are not kept (d h t b c r m S); otherwise false with
    // ErrorText set (empty for a datagram that is neither a message nor a bundle). Fields read before a
    // failure keep their values.
    bool Decode(std::span<const uint8_t> datagram);

    // The first MaxArgs arguments of each kept type. Texts are the datagram's bytes as they are (UTF-8 from a well-behaved sender).
    std::string Address;
    std::string TypeTag;
    std::string ErrorText;
    int32_t ElementSize = 0;
    std::array<int32_t, MaxArgs> IntArgs{};
    std::array<float, MaxArgs> FloatArgs{};
    std::array<std::string, MaxArgs> StringArgs;
    int IntCount = 0;
    int FloatCount = 0;
    int StringCount = 0;

private:
    std::string ReadString();
    uint32_t ReadWord();
    // Passes over n bytes; past the end the read position becomes -1.
    void Skip(int64_t n);
    bool AtBundle() const;
    uint8_t ByteAt(int32_t offset) const;

    std::array<uint8_t, MaxSize> data_{};
    int32_t pos_ = 0; // -1 once the end has been reached
    int32_t size_ = 0;
};
