#include "output/node_discovery.h"

NodeDiscovery::NodeDiscovery() : reply_(BuildReplyPacket(0)) {}

void NodeDiscovery::SetNames(std::string_view shortName, std::string_view longName)
{
    std::lock_guard guard(replyLock_);
    SetReplyNames(reply_, shortName, longName);
    ownShortName_ = ReadTextField(reply_.data(), reply_.size(), ReplyShortNameOffset, ShortNameFieldSize);
}

void NodeDiscovery::SetLocalAddress(uint32_t address)
{
    std::lock_guard guard(replyLock_);
    for (size_t i = 0; i < 4; ++i)
        reply_[ReplyAddressOffset + i] = uint8_t(address >> (24 - 8 * i));
}

ReplyPacket NodeDiscovery::Reply() const
{
    std::lock_guard guard(replyLock_);
    return reply_;
}

NodeDiscovery::Answer NodeDiscovery::Handle(const uint8_t* data, size_t size, int32_t outputUniverse, int64_t now)
{
    if (!IsArtnetPacket(data, size))
        return Answer::None;
    switch (OpCode(data)) {
    case OpPoll:
        return Answer::Reply;
    case OpPollReply: {
        const std::string name = ReadTextField(data, size, ReplyShortNameOffset, ShortNameFieldSize);
        {
            std::lock_guard guard(replyLock_);
            if (name == ownShortName_)
                return Answer::None; // our own reply, or a node that uses our name
        }
        nodes_.Record(data, size, outputUniverse, ReceiveUniverse, now);
        return Answer::None;
    }
    default:
        return Answer::None;
    }
}

bool NodeDiscovery::PollDue(int64_t now)
{
    if (now - lastPoll_ < PollIntervalNs)
        return false;
    lastPoll_ = now;
    nodes_.Expire(now - SilentPolls * PollIntervalNs);
    return true;
}
