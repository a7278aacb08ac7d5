#include "output/node_table.h"

#include "output/artnet_packets.h"

#include <algorithm>
#include <cstdio>

namespace {

uint8_t ByteAt(const uint8_t* data, size_t size, size_t offset)
{
    return offset < size ? data[offset] : 0;
}

constexpr uint8_t PortOutputBit = 0x80;
constexpr uint8_t PortInputBit = 0x40;
constexpr uint8_t PortProtocolBits = 0x3F;

bool SameGroup(const NodeEntry& a, const NodeEntry& b)
{
    // Bind index 0 is what nodes before Art-Net 4 send for their only group, 1 the same.
    return a.address == b.address && std::max<uint8_t>(a.bindIndex, 1) == std::max<uint8_t>(b.bindIndex, 1);
}

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
    const bool many = ByteAt(data, size, ReplyPortCountHighOffset) != 0;
    e.numberOfPorts = many ? 4 : std::min<uint8_t>(ByteAt(data, size, ReplyPortCountOffset), 4);
    e.netSwitch = ByteAt(data, size, ReplyNetSwitchOffset);
    e.subSwitch = ByteAt(data, size, ReplySubSwitchOffset);
    e.bindIndex = ByteAt(data, size, ReplyBindIndexOffset);
    return e;
}

int32_t PortAddressOf(const NodeEntry& node, uint8_t sw)
{
    return int32_t(node.netSwitch & 0x7F) << 8 | int32_t(node.subSwitch & 0x0F) << 4 | (sw & 0x0F);
}

bool IsMarked(const NodeEntry& node, int32_t outputUniverse, int32_t receiveUniverse)
{
    for (size_t i = 0; i < node.numberOfPorts && i < 4; ++i) {
        const uint8_t type = node.portTypes[i];
        if ((type & PortProtocolBits) == 0 && (type & PortInputBit) && PortAddressOf(node, node.swIn[i]) == receiveUniverse)
            return true;
    }
    return OutputsUniverse(node, outputUniverse);
}

bool OutputsUniverse(const NodeEntry& node, int32_t outputUniverse)
{
    for (size_t i = 0; i < node.numberOfPorts && i < 4; ++i) {
        const uint8_t type = node.portTypes[i];
        if ((type & PortProtocolBits) == 0 && (type & PortOutputBit) && PortAddressOf(node, node.swOut[i]) == outputUniverse)
            return true;
    }
    return false;
}

uint32_t NodeAddress(const NodeEntry& node)
{
    return uint32_t(node.address[0]) << 24 | uint32_t(node.address[1]) << 16 | uint32_t(node.address[2]) << 8
           | node.address[3];
}

std::string NodeListLine(const NodeEntry& node)
{
    char address[32];
    std::snprintf(address, sizeof address, "%3u.%3u.%3u.%3u : ", node.address[0], node.address[1],
                  node.address[2], node.address[3]);
    std::string line = std::string(node.marked ? "*" : " ") + address
                       + (node.shortName.empty() ? node.longName : node.shortName);
    if (node.bindIndex > 1)
        line += " [" + std::to_string(node.bindIndex) + "]";
    return line;
}

bool DiscoveredNodes::Record(const uint8_t* data, size_t size, int32_t outputUniverse, int32_t receiveUniverse,
                             int64_t now)
{
    NodeEntry e = ReadPollReply(data, size);
    e.marked = IsMarked(e, outputUniverse, receiveUniverse);
    e.heardNs = now;
    std::lock_guard guard(lock_);
    for (NodeEntry& known : entries_) {
        if (!SameGroup(known, e))
            continue;
        const bool listed = known.marked == e.marked && known.shortName == e.shortName
                            && known.longName == e.longName && known.bindIndex == e.bindIndex;
        known = std::move(e);
        changed_ = changed_ || !listed;
        return !listed;
    }
    if (int(entries_.size()) >= MaxNodes)
        return false;
    entries_.push_back(std::move(e));
    changed_ = true;
    return true;
}

bool DiscoveredNodes::Expire(int64_t heardBefore)
{
    std::lock_guard guard(lock_);
    const size_t before = entries_.size();
    std::erase_if(entries_, [heardBefore](const NodeEntry& e) { return e.heardNs < heardBefore; });
    const bool dropped = entries_.size() != before;
    changed_ = changed_ || dropped;
    return dropped;
}

int DiscoveredNodes::Count() const
{
    std::lock_guard guard(lock_);
    return int(entries_.size());
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
    entries_.clear();
}

std::optional<NodeEntry> DiscoveredNodes::Entry(int index) const
{
    std::lock_guard guard(lock_);
    if (index < 0 || size_t(index) >= entries_.size())
        return std::nullopt;
    return entries_[size_t(index)];
}

int DiscoveredNodes::Fill(std::vector<std::string>& lines)
{
    std::lock_guard guard(lock_);
    lines.clear();
    for (const NodeEntry& e : entries_)
        lines.push_back(NodeListLine(e));
    changed_ = false;
    return int(entries_.size());
}

void DiscoveredNodes::OutputAddresses(int32_t outputUniverse, const std::vector<InterfaceAddress>& subnets,
                                      std::vector<uint32_t>& addresses) const
{
    addresses.clear();
    std::lock_guard guard(lock_);
    for (const NodeEntry& e : entries_) {
        if (!OutputsUniverse(e, outputUniverse))
            continue;
        const uint32_t address = NodeAddress(e);
        const bool reachable =
            std::any_of(subnets.begin(), subnets.end(), [address](const InterfaceAddress& s) { return InSubnet(s, address); });
        if (reachable && std::find(addresses.begin(), addresses.end(), address) == addresses.end())
            addresses.push_back(address);
    }
}
