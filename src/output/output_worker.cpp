#include "output/output_worker.h"

#include "common/ipv4_text.h"

#include <arpa/inet.h>

#include <algorithm>

namespace {

constexpr int64_t NsPerMs = 1000000;

} // namespace

OutputPlatform SystemOutputPlatform()
{
    return {ReadNetwork,      MayChangeAddresses, AddInterfaceAddress, RemoveInterfaceAddress,
            OpenArtnetSocket, MonotonicNs,        OpenSacnSocket,      OpenAddressWatch};
}

OutputWorker::OutputWorker(OutputPlatform platform, ArtnetConfig artnet)
    : platform_(std::move(platform)), artnet_(std::move(artnet))
{
    targets_.reserve(size_t(DiscoveredNodes::MaxNodes) + artnet_.Addresses.size());
    nodeAddresses_.reserve(DiscoveredNodes::MaxNodes);
    SetupNetwork();
}

OutputWorker::~OutputWorker()
{
    Terminate();
    WaitFor();
    CloseNetwork();
}

void OutputWorker::SetupNetwork()
{
    socketReady_ = false;
    OutputUniverse = 0;
    addressContext_ = 0;
    initError_.clear();

    ApplyRoute(true);

    OpenedSocket opened = platform_.openSocket();
    if (opened.layerFailed)
        initError_ = SocketInitFailedText;
    socket_ = std::move(opened.socket);
    socketError_ = std::move(opened.error);
    socketReady_ = socket_ != nullptr;
    if (platform_.openAddressWatch)
        watch_ = platform_.openAddressWatch();
}

void OutputWorker::ApplyRoute(bool report)
{
    const std::optional<NetworkSnapshot> net = platform_.readNetwork();
    const bool mayAdd = platform_.mayChangeAddresses && platform_.mayChangeAddresses();
    ArtnetRoute route = ChooseArtnetRoute(net, artnet_.Interface, mayAdd);
    // The address this program added is kept while the route announces it.
    if (addressContext_ != 0 && (route.localAddress != addedAddress_ || route.interfaceIndex != addedInterface_))
        RemoveAddedAddress();
    if (route.addTwoNet) {
        const AddressResult result = platform_.addAddress(route.interfaceIndex, htonl(route.localAddress));
        if (result.ok) {
            addedInterface_ = route.interfaceIndex;
            addedAddress_ = route.localAddress;
            // An interface index is never 0, so it doubles as the context.
            addressContext_ = route.interfaceIndex;
        } else {
            if (report)
                initError_ = result.error;
            // Without 2.x.x.x the LAN's own broadcast still reaches its nodes.
            route = ChooseArtnetRoute(net, artnet_.Interface, false);
        }
    }
    {
        std::lock_guard guard(routeLock_);
        forceArtnet_ = forceArtnet_ || !(route == route_);
        route_ = std::move(route);
    }
    networkUp_ = route_.network;
    discovery_.SetLocalAddress(route_.localAddress);
    if (sacn_ && sacnFollowsRoute_)
        sacn_->SetMulticastInterface(htonl(route_.localAddress));
    PublishDestination();
}

void OutputWorker::RemoveAddedAddress()
{
    if (addressContext_.exchange(0) != 0)
        platform_.removeAddress(addedInterface_, htonl(addedAddress_));
}

void OutputWorker::PublishDestination()
{
    std::string text;
    const std::string via = route_.interfaceName.empty() ? "" : " (" + route_.interfaceName + ")";
    if (artnet_.Mode == ArtnetMode::Off) {
        text = "off";
    } else if (!route_.network) {
        text.clear();
    } else if (artnet_.Mode == ArtnetMode::List) {
        text = AddressListText(artnet_.Addresses);
    } else if (artnet_.Mode == ArtnetMode::Limited) {
        text = Ipv4Text(LimitedBroadcast) + via;
    } else if (artnet_.Mode == ArtnetMode::Unicast && shownTargets_ > 0) {
        text = Ipv4Text(shownFirstTarget_);
        if (shownTargets_ > 1)
            text += " +" + std::to_string(shownTargets_ - 1);
    } else {
        text = Ipv4Text(route_.broadcast) + via;
    }
    std::lock_guard guard(routeLock_);
    destinationText_ = std::move(text);
}

std::string OutputWorker::DestinationText() const
{
    std::lock_guard guard(routeLock_);
    return destinationText_;
}

std::string OutputWorker::DestinationOr(const std::string& noNetwork) const
{
    std::lock_guard guard(routeLock_);
    if (route_.network)
        return destinationText_;
    return route_.interfaceName.empty() ? noNetwork : noNetwork + " (" + route_.interfaceName + ")";
}

uint32_t OutputWorker::LocalAddress() const
{
    std::lock_guard guard(routeLock_);
    return route_.localAddress;
}

std::string OutputWorker::LocalAddressText() const { return Ipv4Text(LocalAddress()); }

void OutputWorker::FollowNetwork() { ApplyRoute(false); }

void OutputWorker::Start()
{
    if (!worker_.joinable())
        worker_ = std::thread([this] { Execute(); });
}

void OutputWorker::Terminate() { terminate_ = true; }

void OutputWorker::WaitFor()
{
    if (worker_.joinable())
        worker_.join();
}

void OutputWorker::SetNodeNames(std::string_view shortName, std::string_view longName)
{
    discovery_.SetNames(shortName, longName);
}

long OutputWorker::SendTo(uint32_t address, uint32_t interfaceIndex, const uint8_t* data, size_t size)
{
    std::lock_guard guard(socketLock_);
    if (!socket_)
        return -1;
    return Counted(socket_->SendTo(address, interfaceIndex, data, size));
}

long OutputWorker::Counted(long result)
{
    artnetFailing_ = result < 0;
    if (result < 0)
        ++sendFailures_;
    return result;
}

void OutputWorker::SendDiscovery(const uint8_t* data, size_t size)
{
    std::unique_lock guard(routeLock_);
    if (!route_.network)
        return;
    if (artnet_.Mode == ArtnetMode::List) {
        const std::vector<uint32_t> addresses = artnet_.Addresses;
        guard.unlock();
        for (uint32_t to : addresses)
            SendTo(to, 0, data, size);
        return;
    }
    const uint32_t to = artnet_.Mode == ArtnetMode::Limited ? LimitedBroadcast : route_.broadcast;
    const uint32_t via = route_.interfaceIndex;
    guard.unlock();
    SendTo(to, via, data, size);
}

void OutputWorker::SendPoll()
{
    if (socketReady_)
        SendDiscovery(discovery_.Poll().data(), discovery_.Poll().size());
}

void OutputWorker::SendPollReply()
{
    if (!socketReady_)
        return;
    const ReplyPacket reply = discovery_.Reply();
    SendDiscovery(reply.data(), reply.size());
}

const std::vector<ArtnetTarget>& OutputWorker::Targets()
{
    targets_.clear();
    if (artnet_.Mode == ArtnetMode::Off || !route_.network)
        return targets_;
    switch (artnet_.Mode) {
    case ArtnetMode::List:
        for (uint32_t to : artnet_.Addresses)
            targets_.push_back({to, 0});
        return targets_;
    case ArtnetMode::Limited:
        targets_.push_back({LimitedBroadcast, route_.interfaceIndex});
        return targets_;
    case ArtnetMode::Unicast: {
        discovery_.Nodes().OutputAddresses(OutputUniverse, route_.subnets, nodeAddresses_);
        const uint32_t first = nodeAddresses_.empty() ? 0 : nodeAddresses_.front();
        if (nodeAddresses_.size() != shownTargets_ || first != shownFirstTarget_) {
            shownTargets_ = nodeAddresses_.size();
            shownFirstTarget_ = first;
            PublishDestination();
        }
        for (uint32_t to : nodeAddresses_)
            targets_.push_back({to, 0});
        if (!targets_.empty())
            return targets_;
        break; // no node known yet: the broadcast
    }
    case ArtnetMode::Broadcast:
    case ArtnetMode::Off:
        break;
    }
    targets_.push_back({route_.broadcast, route_.interfaceIndex});
    return targets_;
}

long OutputWorker::SendDmx(const uint8_t* frame, bool force)
{
    if (!socketReady_ || !frame)
        return 0;
    const std::vector<ArtnetTarget>& targets = Targets();
    long sent;
    {
        std::lock_guard guard(socketLock_);
        if (!socket_)
            return 0;
        sent = artnetSender_.Frame(frame, OutputUniverse, Now(), int64_t(FrameInterval) * NsPerMs,
                                   force || forceArtnet_, targets, *socket_);
    }
    if (sent != 0) {
        forceArtnet_ = false;
        sendFailures_ += uint32_t(artnetSender_.TakeFailed());
        artnetFailing_ = artnetSender_.LastFailed();
    }
    return sent;
}

OutputCheck OutputWorker::SetArtnetOutput(const ArtnetConfig& config)
{
    if (const OutputCheck check = CheckArtnetConfig(config); !check)
        return check;
    std::lock_guard guard(pendingLock_);
    pendingArtnet_ = config;
    artnetPending_ = true;
    return {};
}

OutputCheck OutputWorker::SetSacnOutput(const SacnConfig& config)
{
    std::unique_ptr<SacnSender> sender;
    if (config.Mode != SacnMode::Off) {
        if (const OutputCheck check = CheckSacnConfig(config); !check)
            return check;
        // Multicast leaves where the Art-Net address lives, unless an interface is named.
        uint32_t via = htonl(LocalAddress());
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
    const bool follows = config.Mode == SacnMode::Multicast && config.Interface.empty();
    std::lock_guard guard(pendingLock_);
    pendingSacn_ = std::move(sender);
    sacnFollowsPending_ = follows;
    sacnPending_ = true;
    return {};
}

std::optional<uint32_t> OutputWorker::InterfaceAddress(const std::string& name) const
{
    const std::optional<NetworkSnapshot> net = platform_.readNetwork();
    if (!net)
        return std::nullopt;
    for (const NetworkInterface& i : net->interfaces)
        if (i.name == name && !i.addresses.empty())
            return htonl(i.addresses.front().address);
    return std::nullopt;
}

void OutputWorker::TakeArtnetOutput()
{
    if (!artnetPending_.exchange(false))
        return;
    ArtnetConfig next;
    {
        std::lock_guard guard(pendingLock_);
        next = std::move(*pendingArtnet_);
        pendingArtnet_.reset();
    }
    const bool newInterface = next.Interface != artnet_.Interface;
    {
        std::lock_guard guard(routeLock_);
        artnet_ = std::move(next);
    }
    targets_.reserve(size_t(DiscoveredNodes::MaxNodes) + artnet_.Addresses.size());
    shownTargets_ = 0;
    shownFirstTarget_ = 0;
    forceArtnet_ = true;
    if (newInterface)
        ApplyRoute(false);
    else
        PublishDestination();
}

void OutputWorker::TakeSacnOutput()
{
    if (!sacnPending_.exchange(false))
        return;
    std::unique_ptr<SacnSender> next;
    {
        std::lock_guard guard(pendingLock_);
        next = std::move(pendingSacn_);
        sacnFollowsRoute_ = sacnFollowsPending_;
    }
    EndSacn();
    sacn_ = std::move(next);
}

void OutputWorker::RunSacn(bool force)
{
    if (!sacn_)
        return;
    sacn_->Frame(outputFrame_.data(), Now(), int64_t(FrameInterval) * NsPerMs, force);
    sendFailures_ += uint32_t(sacn_->TakeFailed());
    sacnFailing_ = sacn_->LastFailed();
}

void OutputWorker::EndSacn()
{
    if (!sacn_ || !sacn_->Running())
        return;
    sacn_->Terminate();
    sendFailures_ += uint32_t(sacn_->TakeFailed());
    sacnFailing_ = sacn_->LastFailed();
}

bool OutputWorker::ReceivePacket()
{
    long n;
    {
        std::lock_guard guard(socketLock_);
        if (!socket_)
            return false;
        n = socket_->Receive(receiveBuffer_.data(), receiveBuffer_.size());
    }
    if (n < 0)
        return false;
    if (discovery_.Handle(receiveBuffer_.data(), size_t(n), OutputUniverse, Now()) == NodeDiscovery::Answer::Reply)
        SendPollReply();
    return true;
}

int64_t OutputWorker::Now() const { return platform_.monotonicNs ? platform_.monotonicNs() : MonotonicNs(); }

void OutputWorker::BeginOutput()
{
    TakeArtnetOutput();
    TakeSacnOutput();
    if (!OutputEnabled)
        return;
    SendDmx(outputFrame_.data(), true);
    RunSacn(true);
}

void OutputWorker::RunFrame()
{
    TakeArtnetOutput();
    TakeSacnOutput();
    if (TickCallback)
        TickCallback(outputFrame_.data());
    if (!OutputEnabled) {
        EndSacn(); // receivers let go of this source at once rather than after their time-out
        return;
    }
    SendDmx(outputFrame_.data(), false);
    RunSacn(false);
}

int64_t OutputWorker::BetweenFrames(int64_t now)
{
    if (watch_ && watch_->TakeChanges())
        FollowNetwork();
    const bool received = socketReady_ && ReceivePacket();
    const int64_t clock = Now();
    if (discovery_.PollDue(clock))
        SendPoll();
    // More datagrams may wait: come back at once. Otherwise sleep until the next poll.
    return received ? now : now + (discovery_.NextPoll() - clock);
}

void OutputWorker::Execute()
{
    discovery_.PolledAt(Now());
    BeginOutput();
    FrameClock clock(int64_t(FrameInterval) * NsPerMs);
    clock.Run(Priority, terminate_,
              {[this] { RunFrame(); }, [this](int64_t now) { return BetweenFrames(now); },
               [this](std::vector<int>& fds) {
                   {
                       std::lock_guard guard(socketLock_);
                       if (socket_)
                           fds.push_back(socket_->WaitFd());
                   }
                   if (watch_)
                       fds.push_back(watch_->WaitFd());
               }});
    CloseNetwork();
}

void OutputWorker::CloseNetwork()
{
    {
        std::lock_guard guard(pendingLock_);
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
    watch_.reset();
    RemoveAddedAddress();
}

int OutputWorker::FillNodeList(std::vector<std::string>& lines) { return discovery_.Nodes().Fill(lines); }

void OutputWorker::Scan()
{
    discovery_.Nodes().Clear();
    SendPoll();
}
