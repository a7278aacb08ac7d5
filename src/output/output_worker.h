#pragma once
// OutputWorker: the thread that is the clock of playback and sends the lights their frames.
// Every FrameInterval ms it calls the tick, which fills the DMX frame, and hands the frame
// to the Art-Net sender and the sACN sender (each sends on change and as a keep-alive, by
// its own rule). Between frames it finds nodes (node_discovery.h), answers ArtPoll and
// follows the network: when an address comes or goes it chooses the Art-Net route afresh
// (artnet_route.h) and sends on without a restart. A failed send is counted and the frames
// go on.
//
// Construction sets up the network on the creating thread: the Art-Net socket, the route
// and, where the rule asks for it (root, no 2.x.x.x address), 2.b.c.d/24 added to the output
// interface; CloseNetwork removes an added address again.

#include "common/translation.h"
#include "output/address_netlink.h"
#include "output/address_watch.h"
#include "output/artnet_route.h"
#include "output/artnet_sender.h"
#include "output/artnet_socket.h"
#include "output/frame_clock.h"
#include "output/network_interfaces.h"
#include "output/node_discovery.h"
#include "output/output_config.h"
#include "output/sacn_sender.h"
#include "output/sacn_socket.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

// What set-up and the loop need from the system; tests put fakes in.
struct OutputPlatform {
    std::function<std::optional<NetworkSnapshot>()> readNetwork;
    std::function<bool()> mayChangeAddresses;
    // Addresses in network byte order.
    std::function<AddressResult(uint32_t interfaceIndex, uint32_t address)> addAddress;
    std::function<AddressResult(uint32_t interfaceIndex, uint32_t address)> removeAddress;
    std::function<OpenedSocket()> openSocket;
    // CLOCK_MONOTONIC in ns, for the keep-alives and node ageing; unset, the system's.
    std::function<int64_t()> monotonicNs;
    std::function<OpenedSacnSocket(uint32_t interfaceAddress, int ttl)> openSacnSocket;
    // Null: the network found at the start is kept.
    std::function<std::unique_ptr<AddressWatch>()> openAddressWatch;
};

OutputPlatform SystemOutputPlatform();

inline constexpr const char* SocketInitFailedText = TRANSLATABLE_TEXT("Core", "ソケットの初期化に失敗しました");

class OutputWorker {
public:
    // Called once per frame on the worker with OutputFrame; bytes 0-511 are DMX slots 1-512.
    using Tick = std::function<void(uint8_t* frame)>;

    static constexpr size_t OutputFrameSize = 1024;
    static constexpr size_t ReceiveBufferSize = 2048;

    // Sets up the network for artnet; the worker starts only with Start.
    explicit OutputWorker(OutputPlatform platform = SystemOutputPlatform(), ArtnetConfig artnet = {});
    // Ends the worker if it runs and closes the network (removing an added address).
    ~OutputWorker();
    OutputWorker(const OutputWorker&) = delete;
    OutputWorker& operator=(const OutputWorker&) = delete;

    // Set before Start.
    ThreadPriority Priority = ThreadPriority::Normal;
    Tick TickCallback;

    const uint32_t FrameInterval = 20; // ms
    std::atomic<bool> OutputEnabled{false};
    std::atomic<int32_t> OutputUniverse{0}; // the 15-bit Port-Address: net x 256 + sub-net x 16 + universe

    // Where Art-Net goes from the next frame on; a new interface means a new route. Refused
    // (a list without an address), everything stays as it was.
    OutputCheck SetArtnetOutput(const ArtnetConfig& config);
    // Checks config (ranges, the multicast interface's address) and opens its socket on
    // the calling thread; the worker takes the new stream over at its next frame, ending
    // the old one with its terminating packets. Refused, everything stays as it was.
    OutputCheck SetSacnOutput(const SacnConfig& config);
    // Datagrams that could not be sent (network down, no route), and whether the latest
    // frame's sends failed; NET:NG in the status panel.
    uint32_t SendFailures() const { return sendFailures_.load(); }
    bool SendFailing() const { return artnetFailing_.load() || sacnFailing_.load(); }

    // Whether an output interface is up with an address; without one nothing is sent.
    bool NetworkUp() const { return networkUp_.load(); }
    // Where ArtDmx goes now, for the status panel: "198.19.255.255 (eth0)", the addresses
    // of the nodes reached by unicast, the fixed list, or "off"; empty without a network.
    std::string DestinationText() const;
    // DestinationText, or without a network noNetwork (the caller's words, in its language)
    // with the output interface's name when one is chosen: "no network (eth1)".
    std::string DestinationOr(const std::string& noNetwork) const;

    void Start();
    void Terminate(); // the loop ends at its next test
    void WaitFor();   // joins the worker

    void SetNodeNames(std::string_view shortName, std::string_view longName);
    void SendPoll();
    void SendPollReply();
    // Sends frame as ArtDmx when forced or when it differs from the last frame sent, to
    // where the route says. Returns the bytes sent, 0 when nothing was sent, -1 when every
    // send failed.
    long SendDmx(const uint8_t* frame, bool force);
    // Handles at most one waiting datagram; true when one was taken.
    bool ReceivePacket();
    // Reads the network again and follows it (the worker does so on the kernel's word).
    void FollowNetwork();
    // The worker's body: the frame loop, then CloseNetwork.
    void Execute();
    // Steps of the loop, public so a driver can run frames without the frame clock:
    // the forced first send, and one frame (tick, then send on change or keep-alive).
    void BeginOutput();
    void RunFrame();
    // Closes the socket and removes an added address; safe to call twice.
    void CloseNetwork();

    // The node list of the option dialog.
    int FillNodeList(std::vector<std::string>& lines);
    void Scan(); // empties the node table and polls
    int NodeCount() const { return discovery_.Nodes().Count(); }
    bool NodeListChanged() const { return discovery_.Nodes().Changed(); }
    void SetNodeListChanged() { discovery_.Nodes().SetChanged(); }
    std::optional<NodeEntry> Node(int index) const { return discovery_.Nodes().Entry(index); }

    bool SocketReady() const { return socketReady_.load(); }
    // Why the socket could not be opened or bound (the system's reason, such as the port
    // being in use); empty when it is ready. The desktop program says nothing about it.
    const std::string& SocketError() const { return socketError_; }
    int32_t ReceiveUniverse() const { return NodeDiscovery::ReceiveUniverse; }
    uint32_t LocalAddress() const; // host byte order
    std::string LocalAddressText() const;
    // The interface index of the added address; 0 when none was added.
    uint32_t AddressContext() const { return addressContext_.load(); }
    // The set-up failure text; the owner shows it once and clears it.
    const std::string& InitError() const { return initError_; }
    void ClearInitError() { initError_.clear(); }

private:
    void SetupNetwork();
    // Chooses the route for the network as it is and config, adding or removing 2.b.c.d as
    // the rule says; reports an add that failed in initError_ when report is set.
    void ApplyRoute(bool report);
    void RemoveAddedAddress();
    void PublishDestination();
    int64_t BetweenFrames(int64_t now);
    long SendTo(uint32_t address, uint32_t interfaceIndex, const uint8_t* data, size_t size);
    // Sends to where polls and replies go: the route's broadcast, or each listed address.
    void SendDiscovery(const uint8_t* data, size_t size);
    long Counted(long result);
    int64_t Now() const;
    // The worker's targets of ArtDmx for this frame.
    const std::vector<ArtnetTarget>& Targets();
    // The first IPv4 address of the named interface (network byte order).
    std::optional<uint32_t> InterfaceAddress(const std::string& name) const;
    // Worker: takes over what SetArtnetOutput and SetSacnOutput handed over; runs the
    // sACN side of a frame.
    void TakeArtnetOutput();
    void TakeSacnOutput();
    void RunSacn(bool force);
    void EndSacn();

    OutputPlatform platform_;

    // The socket is shared by the worker and the user interface; the lock keeps a send
    // from running into CloseNetwork.
    std::mutex socketLock_;
    std::unique_ptr<ArtnetSocket> socket_;
    std::atomic<bool> socketReady_{false};
    std::unique_ptr<AddressWatch> watch_;

    NodeDiscovery discovery_;
    std::array<uint8_t, ReceiveBufferSize> receiveBuffer_{};

    // The route and the Art-Net settings: written by the worker (and by set-up before it
    // starts) under routeLock_, read by the user interface under it.
    mutable std::mutex routeLock_;
    ArtnetConfig artnet_;
    ArtnetRoute route_;
    std::string destinationText_;
    std::atomic<bool> networkUp_{false};

    std::mutex pendingLock_; // the settings handed over to the worker
    std::optional<ArtnetConfig> pendingArtnet_;
    std::atomic<bool> artnetPending_{false};
    std::unique_ptr<SacnSender> pendingSacn_;
    bool sacnFollowsPending_ = false;
    std::atomic<bool> sacnPending_{false};

    uint32_t addedInterface_ = 0;
    uint32_t addedAddress_ = 0;                // host byte order
    std::atomic<uint32_t> addressContext_{0}; // interface index of the added address; 0 when none
    std::string initError_;
    std::string socketError_;

    std::array<uint8_t, OutputFrameSize> outputFrame_{};
    ArtnetSender artnetSender_;             // worker only
    std::vector<ArtnetTarget> targets_;     // worker only; reserved, so frames allocate nothing
    std::vector<uint32_t> nodeAddresses_;   // worker only; reserved
    size_t shownTargets_ = 0;               // the unicast destinations the text names
    uint32_t shownFirstTarget_ = 0;
    bool forceArtnet_ = false;              // the route changed: send the frame at once
    std::unique_ptr<SacnSender> sacn_;      // worker only
    bool sacnFollowsRoute_ = false;         // multicast by the Art-Net interface

    std::atomic<uint32_t> sendFailures_{0};
    std::atomic<bool> artnetFailing_{false};
    std::atomic<bool> sacnFailing_{false};

    std::atomic<bool> terminate_{false};
    std::thread worker_;
};
