#include "artnet/node_table.h"

#include "artnet/artnet_packets.h"

#include <cstdio>

namespace {

uint8_t ByteAt(const uint8_t* data, size_t size, size_t offset)
{
    return offset < size ? data[offset] : 0;
}

constexpr uint8_t PortOutputBit = 0x80;
constexpr uint8_t PortInputBit = 0x40;
constexpr uint8_t PortProtocolBits = 0x3F;

} // namespace

NodeEntry ReadPollReply(const uint8_t* data, size_t size)
{
    NodeEntry e;
    for (size_t i = 0; i < 4; ++i) {
        e.address[i] = ByteAt(data, size, ReplyAddressOffset + i);
        e.portTypes[i] = ByteAt(data, size, ReplyPortTypesOffset + i);
        e.swIn[i] = ByteAt(data, size, ReplySwInOffset + i);
        e.swOut[i] = ByteAt(data, size, ReplySwOutOffset + i);
    }
    e.port = uint16_t(ByteAt(data, size, ReplyPortOffset) | ByteAt(data, size, ReplyPortOffset + 1) << 8);
    e.shortName = ReadTextField(data, size, ReplyShortNameOffset, ShortNameFieldSize);
    e.longName = ReadTextField(data, size, ReplyLongNameOffset, LongNameFieldSize);
    e.nodeReport = ReadTextField(data, size, ReplyReportOffset, ReportFieldSize);
    e.numberOfPorts = ByteAt(data, size, ReplyPortCountOffset);
    return e;
}

bool IsMarked(const NodeEntry& node, int32_t outputUniverse, int32_t receiveUniverse)
{
    for (size_t i = 0; i < 4; ++i) {
        const uint8_t type = node.portTypes[i];
        if ((type & PortProtocolBits) == 0 && (type & PortInputBit) && node.swIn[i] == receiveUniverse)
            return true;
    }
    return OutputsUniverse(node, outputUniverse);
}

bool OutputsUniverse(const NodeEntry& node, int32_t outputUniverse)
{
    for (size_t i = 0; i < 4; ++i) {
        const uint8_t type = node.portTypes[i];
        if ((type & PortProtocolBits) == 0 && (type & PortOutputBit) && node.swOut[i] == outputUniverse)
            return true;
    }
    return false;
}

std::string NodeListLine(const NodeEntry& node)
{
    char address[32];
    std::snprintf(address, sizeof address, "%3u.%3u.%3u.%3u : ", node.address[0], node.address[1],
                  node.address[2], node.address[3]);
    return std::string(node.marked ? "*" : " ") + address
           + (node.shortName.empty() ? node.longName : node.shortName);
}

bool DiscoveredNodes::Record(const uint8_t* data, size_t size, int32_t outputUniverse, int32_t receiveUniverse)
{
    NodeEntry e = ReadPollReply(data, size);
    e.marked = IsMarked(e, outputUniverse, receiveUniverse);
    std::lock_guard guard(lock_);
    for (int i = 0; i < count_; ++i)
        if (entries_[i].address == e.address)
            return false; // a known node is never refreshed
    if (count_ >= MaxNodes)
        return false;
    entries_[count_] = std::move(e);
    ++count_;
    changed_ = true;
    return true;
}

int DiscoveredNodes::Count() const
{
    std::lock_guard guard(lock_);
    return count_;
}

bool DiscoveredNodes::Changed() const
{
    std::lock_guard guard(lock_);
    return changed_;
}

void DiscoveredNodes::SetChanged()
{
    std::lock_guard guard(lock_);
    changed_ = true;
}

void DiscoveredNodes::Clear()
{
    std::lock_guard guard(lock_);
    count_ = 0;
}

std::optional<NodeEntry> DiscoveredNodes::Entry(int index) const
{
    std::lock_guard guard(lock_);
    if (index < 0 || index >= count_)
        return std::nullopt;
    return entries_[index];
}

int DiscoveredNodes::Fill(std::vector<std::string>& lines)
{
    std::lock_guard guard(lock_);
    lines.clear();
    for (int i = 0; i < count_; ++i)
        lines.push_back(NodeListLine(entries_[i]));
    changed_ = false;
    return count_;
}

int DiscoveredNodes::OutputAddresses(int32_t outputUniverse, std::array<uint32_t, Capacity>& addresses) const
{
    std::lock_guard guard(lock_);
    int n = 0;
    for (int i = 0; i < count_; ++i) {
        const NodeEntry& e = entries_[size_t(i)];
        if (OutputsUniverse(e, outputUniverse))
            addresses[size_t(n++)] = uint32_t(e.address[0]) << 24 | uint32_t(e.address[1]) << 16
                                     | uint32_t(e.address[2]) << 8 | e.address[3];
    }
    return n;
}
