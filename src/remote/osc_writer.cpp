#include "remote/osc_writer.h"

#include <bit>

namespace {

void AppendString(std::vector<uint8_t>& out, std::string_view text)
{
    text = text.substr(0, text.find('\0')); // a NUL inside would end the string early
    out.insert(out.end(), text.begin(), text.end());
    // At least one NUL ends the string; more pad it to the next multiple of four.
    const size_t padded = (text.size() / 4 + 1) * 4;
    out.resize(out.size() + padded - text.size(), 0);
}

void AppendWord(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(uint8_t(v >> 24));
    out.push_back(uint8_t(v >> 16));
    out.push_back(uint8_t(v >> 8));
    out.push_back(uint8_t(v));
}

} // namespace

std::vector<uint8_t> EncodeOscMessage(std::string_view address, std::initializer_list<OscArgument> arguments)
{
    std::string tag = ",";
    for (const OscArgument& a : arguments)
        tag += std::holds_alternative<int32_t>(a) ? 'i' : std::holds_alternative<float>(a) ? 'f' : 's';
    std::vector<uint8_t> out;
    AppendString(out, address);
    AppendString(out, tag);
    for (const OscArgument& a : arguments) {
        if (const int32_t* i = std::get_if<int32_t>(&a))
            AppendWord(out, uint32_t(*i));
        else if (const float* f = std::get_if<float>(&a))
            AppendWord(out, std::bit_cast<uint32_t>(*f));
        else
            AppendString(out, std::get<std::string>(a));
    }
    return out;
}

std::vector<uint8_t> EncodeOscBundle(const std::vector<std::vector<uint8_t>>& messages)
{
    std::vector<uint8_t> out;
    AppendString(out, "#bundle");
    AppendWord(out, 0);
    AppendWord(out, 1); // the time tag that means "at once"
    for (const std::vector<uint8_t>& m : messages) {
        AppendWord(out, uint32_t(m.size()));
        out.insert(out.end(), m.begin(), m.end());
    }
    return out;
}
