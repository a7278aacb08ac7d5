#include "artnet/artnet_thread.h"

#include "artnet/frame_grid.h"
#include "artnet/permission_text.h"

#include <arpa/inet.h>
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
    return {ReadAddressTable, AddInterfaceAddress, RemoveInterfaceAddress, OpenArtnetSocket, MonotonicNs};
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
    return socket_->SendBroadcast(data, size);
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
    SetDmxPortAddress(dmxPacket_, OutputUniverse);
    std::copy(frame, frame + DmxDataSize, data);
    return Send(dmxPacket_.data(), dmxPacket_.size());
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
    lastDmxSend_ = Now();
    if (socketReady_ && OutputEnabled)
        SendDmx(outputFrame_.data(), true);
}

void TArtnetThread::RunFrame()
{
    if (TickCallback)
        TickCallback(outputFrame_.data());
    if (!socketReady_ || !OutputEnabled)
        return;
    // Half a frame early rather than a frame late: frames leave on a grid, a little after
    // their slot when the tick takes its time.
    const int64_t now = Now();
    const bool keepAlive = now - lastDmxSend_ >= (int64_t(KeepAliveMs) - FrameInterval / 2) * NsPerMs;
    if (SendDmx(outputFrame_.data(), keepAlive) != 0)
        lastDmxSend_ = now;
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
