#include "artnet/artnet_thread.h"

#include "artnet/frame_grid.h"
#include "artnet/permission_text.h"

#include <arpa/inet.h>
#include <net/if.h>
#include <poll.h>
#include <sched.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>

namespace {

constexpr int64_t NsPerMs = 1000000;

int64_t MonotonicNs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
}

timespec ToTimespec(int64_t ns) { return {time_t(ns / 1000000000), long(ns % 1000000000)}; }

// Wake-ups within a few microseconds of the deadline, and precedence over ordinary
// threads where the system allows it: a low real-time priority first (threads the tick
// starts, such as the audio player's, fall back to the normal policy), else a raised
// nice value. Without the right the thread simply runs as it is.
void RaiseWorkerPriority(ThreadPriority priority)
{
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    if (priority != ThreadPriority::AboveNormal)
        return;
    sched_param param{};
    param.sched_priority = 10;
    if (sched_setscheduler(0, SCHED_FIFO | SCHED_RESET_ON_FORK, &param) != 0)
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), -10);
}

} // namespace

ArtnetPlatform SystemArtnetPlatform()
{
    return {ReadAddressTable,
            AddInterfaceAddress,
            RemoveInterfaceAddress,
            OpenArtnetSocket,
            MonotonicNs,
            OpenSacnSocket,
            [](const std::string& name) { return uint32_t(if_nametoindex(name.c_str())); }};
}

TArtnetThread::TArtnetThread(ArtnetPlatform platform) : platform_(std::move(platform))
{
    SetupNetwork();
}

TArtnetThread::~TArtnetThread()
{
    Terminate();
    WaitFor();
    CloseNetwork();
}

void TArtnetThread::SetupNetwork()
{
    socketReady_ = false;
    receiveUniverse_ = 5;
    OutputUniverse = 0;
    addressContext_ = 0;
    initError_.clear();

    const AddressChoice choice = ChooseLocalAddress(platform_.readAddresses());
    localAddress_ = choice.candidate;
    if (choice.add) {
        const uint32_t added = ArtnetAddressFor(choice.candidate);
        const AddressResult result = platform_.addAddress(choice.interfaceIndex, added);
        if (result.ok) {
            localAddress_ = added;
            addressInterface_ = choice.interfaceIndex;
            // An interface index is never 0, so it doubles as the context.
            addressContext_ = choice.interfaceIndex;
        } else {
            initError_ = result.notPermitted ? AddressPermissionText(result.error, RunningExecutablePath())
                                             : result.error;
        }
    }
    localAddressText_ = AddressText(localAddress_);

    dmxPacket_ = BuildDmxPacket(OutputUniverse);
    replyPacket_ = BuildReplyPacket(localAddress_);

    OpenedSocket opened = platform_.openSocket();
    if (opened.layerFailed)
        initError_ = SocketInitFailedText;
    socket_ = std::move(opened.socket);
    socketError_ = std::move(opened.error);
    socketReady_ = socket_ != nullptr;
}

void TArtnetThread::Start()
{
    if (!worker_.joinable())
        worker_ = std::thread([this] { Execute(); });
}

void TArtnetThread::Terminate() { terminate_ = true; }

void TArtnetThread::WaitFor()
{
    if (worker_.joinable())
        worker_.join();
}

void TArtnetThread::SetNodeNames(std::string_view shortName, std::string_view longName)
{
    std::lock_guard guard(namesLock_);
    SetReplyNames(replyPacket_, shortName, longName);
    ownShortName_ = ReadTextField(replyPacket_.data(), replyPacket_.size(), ReplyShortNameOffset, ShortNameFieldSize);
}

long TArtnetThread::Send(const uint8_t* data, size_t size)
{
    std::lock_guard guard(socketLock_);
    if (!socket_)
        return -1;
    return Counted(socket_->SendBroadcast(data, size));
}

long TArtnetThread::SendTo(uint32_t address, const uint8_t* data, size_t size)
{
    std::lock_guard guard(socketLock_);
    if (!socket_)
        return -1;
    return Counted(socket_->SendTo(address, data, size));
}

long TArtnetThread::Counted(long result)
{
    artnetFailing_ = result < 0;
    if (result < 0)
        ++sendFailures_;
    return result;
}

void TArtnetThread::SendPoll()
{
    if (socketReady_)
        Send(pollPacket_.data(), pollPacket_.size());
}

void TArtnetThread::SendPollReply()
{
    if (!socketReady_)
        return;
    std::lock_guard guard(namesLock_);
    Send(replyPacket_.data(), replyPacket_.size());
}

long TArtnetThread::SendDmx(const uint8_t* frame, bool force)
{
    if (!socketReady_ || !frame)
        return 0;
    uint8_t* data = dmxPacket_.data() + DmxHeaderSize;
    if (!force && std::equal(frame, frame + DmxDataSize, data))
        return 0;
    const ArtnetMode mode = ArtnetOutput;
    if (mode == ArtnetMode::Off)
        return 0;
    const int32_t universe = OutputUniverse;
    SetDmxPortAddress(dmxPacket_, universe);
    std::copy(frame, frame + DmxDataSize, data);
    const int targets = mode == ArtnetMode::Unicast ? NodeTable.OutputAddresses(universe, unicastTargets_) : 0;
    if (targets == 0)
        return Send(dmxPacket_.data(), dmxPacket_.size());
    long sent = -1;
    for (int i = 0; i < targets; ++i) {
        const long n = SendTo(unicastTargets_[size_t(i)], dmxPacket_.data(), dmxPacket_.size());
        if (n >= 0)
            sent = std::max(sent, 0L) + n;
    }
    return sent;
}

OutputCheck TArtnetThread::SetSacnOutput(const SacnConfig& config)
{
    std::unique_ptr<SacnSender> sender;
    if (config.Mode != SacnMode::Off) {
        if (const OutputCheck check = CheckSacnConfig(config); !check)
            return check;
        // Multicast leaves where the Art-Net address lives, unless an interface is named.
        uint32_t via = localAddress_;
        if (config.Mode == SacnMode::Unicast) {
            via = htonl(INADDR_ANY);
        } else if (!config.Interface.empty()) {
            const std::optional<uint32_t> address = InterfaceAddress(config.Interface);
            if (!address)
                return {OutputProblem::Interface, config.Interface};
            via = *address;
        }
        OpenedSacnSocket opened = platform_.openSacnSocket(via, config.Ttl);
        if (!opened.socket)
            return {OutputProblem::Socket, opened.error};
        sender = std::make_unique<SacnSender>(config, std::move(opened.socket));
    }
    std::lock_guard guard(sacnLock_);
    pendingSacn_ = std::move(sender);
    sacnPending_ = true;
    return {};
}

std::optional<uint32_t> TArtnetThread::InterfaceAddress(const std::string& name) const
{
    const uint32_t index = platform_.interfaceIndex(name);
    const std::optional<std::vector<AddressRow>> table = platform_.readAddresses();
    if (index == 0 || !table)
        return std::nullopt;
    for (const AddressRow& row : *table)
        if (row.interfaceIndex == index)
            return row.address;
    return std::nullopt;
}

void TArtnetThread::TakeSacnOutput()
{
    if (!sacnPending_.exchange(false))
        return;
    std::unique_ptr<SacnSender> next;
    {
        std::lock_guard guard(sacnLock_);
        next = std::move(pendingSacn_);
    }
    EndSacn();
    sacn_ = std::move(next);
}

void TArtnetThread::RunSacn(bool force)
{
    if (!sacn_)
        return;
    sacn_->Frame(outputFrame_.data(), Now(), int64_t(FrameInterval) * NsPerMs, force);
    sendFailures_ += uint32_t(sacn_->TakeFailed());
    sacnFailing_ = sacn_->LastFailed();
}

void TArtnetThread::EndSacn()
{
    if (!sacn_ || !sacn_->Running())
        return;
    sacn_->Terminate();
    sendFailures_ += uint32_t(sacn_->TakeFailed());
    sacnFailing_ = sacn_->LastFailed();
}

void TArtnetThread::ReceivePacket()
{
    long n;
    {
        std::lock_guard guard(socketLock_);
        if (!socket_)
            return;
        n = socket_->Receive(receiveBuffer_.data(), receiveBuffer_.size());
    }
    if (n < 0 || !IsArtnetPacket(receiveBuffer_.data(), size_t(n)))
        return;
    const auto size = size_t(n);
    switch (OpCode(receiveBuffer_.data())) {
    case OpPoll:
        SendPollReply();
        break;
    case OpPollReply: {
        const std::string name = ReadTextField(receiveBuffer_.data(), size, ReplyShortNameOffset, ShortNameFieldSize);
        {
            std::lock_guard guard(namesLock_);
            if (name == ownShortName_)
                return; // our own reply, or a node that uses our name
        }
        NodeTable.Record(receiveBuffer_.data(), size, OutputUniverse, receiveUniverse_);
        break;
    }
    default:
        break;
    }
}

int64_t TArtnetThread::Now() const { return platform_.monotonicNs ? platform_.monotonicNs() : MonotonicNs(); }

void TArtnetThread::BeginOutput()
{
    TakeSacnOutput();
    lastDmxSend_ = Now();
    if (!OutputEnabled)
        return;
    if (socketReady_)
        SendDmx(outputFrame_.data(), true);
    RunSacn(true);
}

void TArtnetThread::RunFrame()
{
    TakeSacnOutput();
    if (TickCallback)
        TickCallback(outputFrame_.data());
    if (!OutputEnabled) {
        EndSacn(); // receivers let go of this source at once rather than after their time-out
        return;
    }
    if (socketReady_) {
        // Half a frame early rather than a frame late: frames leave on a grid, a little
        // after their slot when the tick takes its time.
        const int64_t now = Now();
        const bool keepAlive = now - lastDmxSend_ >= (int64_t(KeepAliveMs) - FrameInterval / 2) * NsPerMs;
        if (SendDmx(outputFrame_.data(), keepAlive) != 0)
            lastDmxSend_ = now;
    }
    RunSacn(false);
}

void TArtnetThread::WaitUntil(int64_t deadline)
{
    int fd = -1;
    {
        std::lock_guard guard(socketLock_);
        if (socket_)
            fd = socket_->WaitFd();
    }
    if (fd < 0) {
        const timespec until = ToTimespec(deadline);
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
        }
        return;
    }
    // A datagram ends the wait early; the loop handles it and waits again.
    const int64_t rest = deadline - MonotonicNs();
    if (rest <= 0)
        return;
    pollfd p{fd, POLLIN, 0};
    const timespec timeout = ToTimespec(rest);
    ppoll(&p, 1, &timeout, nullptr);
}

void TArtnetThread::Execute()
{
    RaiseWorkerPriority(Priority);
    const int64_t interval = int64_t(FrameInterval) * NsPerMs;
    const int64_t pollInterval = int64_t(PollIntervalMs) * NsPerMs;
    const int64_t start = MonotonicNs();
    int64_t lastPoll = start;
    int64_t due = start + interval;
    BeginOutput();
    while (!terminate_) {
        if (socketReady_)
            ReceivePacket();
        const int64_t now = MonotonicNs();
        if (now < due) {
            if (now - lastPoll >= pollInterval) {
                SendPoll();
                lastPoll = now;
            } else {
                WaitUntil(std::min(due, lastPoll + pollInterval));
            }
            continue;
        }
        RunFrame();
        due = NextFrameTime(due, MonotonicNs(), interval);
    }
    CloseNetwork();
}

void TArtnetThread::CloseNetwork()
{
    {
        std::lock_guard guard(sacnLock_);
        pendingSacn_.reset();
        sacnPending_ = false;
    }
    EndSacn();
    sacn_.reset();
    {
        std::lock_guard guard(socketLock_);
        socketReady_ = false;
        socket_.reset();
    }
    if (addressContext_.exchange(0) != 0)
        platform_.removeAddress(addressInterface_, localAddress_);
}

int TArtnetThread::FillNodeList(std::vector<std::string>& lines) { return NodeTable.Fill(lines); }

void TArtnetThread::Scan()
{
    NodeTable.Clear();
    SendPoll();
}
