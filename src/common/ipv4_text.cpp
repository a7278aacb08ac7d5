#include "common/ipv4_text.h"

std::optional<uint32_t> ParseIpv4(std::string_view text)
{
    uint32_t address = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (text.empty() || text.front() != '.')
                return std::nullopt;
            text.remove_prefix(1);
        }
        // One to three digits; inet_aton's octal and hexadecimal forms are not addresses
        // people type for a node, and would read 010 as 8.
        size_t digits = 0;
        uint32_t value = 0;
        while (digits < text.size() && digits < 4 && text[digits] >= '0' && text[digits] <= '9')
            value = value * 10 + uint32_t(text[digits++] - '0');
        if (digits == 0 || digits > 3 || value > 255)
            return std::nullopt;
        text.remove_prefix(digits);
        address = address << 8 | value;
    }
    if (!text.empty())
        return std::nullopt;
    return address;
}

std::string Ipv4Text(uint32_t address)
{
    return std::to_string(address >> 24) + '.' + std::to_string(address >> 16 & 0xFF) + '.' +
           std::to_string(address >> 8 & 0xFF) + '.' + std::to_string(address & 0xFF);
}
