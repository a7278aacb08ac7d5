#include "output/sacn_sender.h"

#include "output/artnet_packets.h"

#include <algorithm>
#include <utility>

namespace {

constexpr const char* SourceName = "Lumenrill";

} // namespace

SacnSender::SacnSender(const SacnConfig& config, std::unique_ptr<SacnSocket> socket)
    : socket_(std::move(socket)),
      data_(BuildSacnDataPacket(config.Cid, SourceName, config.Universe, uint8_t(config.Priority))),
      discovery_(BuildSacnDiscoveryPacket(config.Cid, SourceName, config.Universe))
{
    if (config.Mode == SacnMode::Unicast) {
        destinations_ = config.Unicast;
        discoveryDestinations_ = config.Unicast;
    } else {
        destinations_ = {SacnMulticastAddress(config.Universe)};
        discoveryDestinations_ = {SacnMulticastAddress(SacnDiscoveryUniverse)};
    }
}

void SacnSender::Frame(const uint8_t* slots, int64_t now, int64_t frameNs, bool force)
{
    uint8_t* held = data_.data() + SacnSlotsOffset;
    const bool changed = force || !running_ || !std::equal(slots, slots + DmxDataSize, held);
    if (refresh_.Due(changed, now, frameNs)) {
        std::copy(slots, slots + DmxDataSize, held);
        data_[SacnOptionsOffset] = 0;
        SendData();
        refresh_.Sent(now);
        if (!running_)
            lastDiscovery_ = now - DiscoveryIntervalNs; // a new stream announces itself at once
        running_ = true;
    }
    if (now - lastDiscovery_ >= DiscoveryIntervalNs - frameNs / 2) {
        for (uint32_t to : discoveryDestinations_)
            Send(to, discovery_.data(), discovery_.size());
        lastDiscovery_ = now;
    }
}

void SacnSender::Terminate()
{
    if (!running_)
        return;
    data_[SacnOptionsOffset] = SacnStreamTerminated;
    for (int i = 0; i < TerminationPackets; ++i)
        SendData();
    data_[SacnOptionsOffset] = 0;
    running_ = false;
}

void SacnSender::SendData()
{
    data_[SacnSequenceOffset] = sequence_++;
    for (uint32_t to : destinations_)
        Send(to, data_.data(), data_.size());
}

void SacnSender::Send(uint32_t address, const uint8_t* data, size_t size)
{
    lastFailed_ = socket_->SendTo(address, data, size) < 0;
    failed_ += lastFailed_ ? 1 : 0;
}

int SacnSender::TakeFailed() { return std::exchange(failed_, 0); }
