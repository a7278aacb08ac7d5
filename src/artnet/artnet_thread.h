#pragma once
// TArtnetThread: the worker that is the clock of playback. Every FrameInterval ms it
// calls the tick, which fills the DMX frame, and sends the frame as ArtDmx when it
// changed, and when 1.5 s have passed since the last send (the keep-alive). Between frames
// it polls for nodes every 2 s, answers ArtPoll and records the nodes that reply.
// ArtDmx goes to 2.255.255.255 (the default), or in unicast mode to each known node that
// outputs the universe (broadcast while none is known), or nowhere. Beside it, the same
// frames can go out as sACN (sacn_sender.h); a failed send is counted and the frames go on.
//
// The keep-alive counts time, not frames run: slots skipped while a tick overran would
// otherwise stretch it past 1.5 s, and a node would take the output for lost.
//
// Construction sets up the network on the creating thread: it finds the address to
// announce and, when the machine has no 2.x.x.x address, adds 2.b.c.d/24 to the first
// interface with another address; CloseNetwork removes it again.

#include "common/translation.h"
#include "artnet/address_netlink.h"
#include "artnet/artnet_packets.h"
#include "artnet/artnet_socket.h"
#include "artnet/local_addresses.h"
#include "artnet/node_table.h"
#include "artnet/output_config.h"
#include "artnet/sacn_sender.h"
#include "artnet/sacn_socket.h"

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
struct ArtnetPlatform {
    std::function<std::optional<std::vector<AddressRow>>()> readAddresses;
    std::function<AddressResult(uint32_t interfaceIndex, uint32_t address)> addAddress;
    std::function<AddressResult(uint32_t interfaceIndex, uint32_t address)> removeAddress;
    std::function<OpenedSocket()> openSocket;
    // CLOCK_MONOTONIC in ns, for the keep-alive; unset, the system's.
    std::function<int64_t()> monotonicNs;
    std::function<OpenedSacnSocket(uint32_t interfaceAddress, int ttl)> openSacnSocket;
    // The index of the interface of that name; 0 when there is none.
    std::function<uint32_t(const std::string& name)> interfaceIndex;
};

ArtnetPlatform SystemArtnetPlatform();

inline constexpr const char* SocketInitFailedText = TRANSLATABLE_TEXT("Core", "ソケットの初期化に失敗しました");

enum class ThreadPriority { Normal, AboveNormal };

class TArtnetThread {
public:
    // Called once per frame on the worker with OutputFrame; bytes 0-511 are DMX slots 1-512.
    using Tick = std::function<void(uint8_t* frame)>;

    static constexpr size_t OutputFrameSize = 1024;
    static constexpr size_t ReceiveBufferSize = 2048;
    static constexpr uint32_t PollIntervalMs = 2000;
    static constexpr uint32_t KeepAliveMs = 1500;

    // Runs SetupNetwork; the worker starts only with Start.
    explicit TArtnetThread(ArtnetPlatform platform = SystemArtnetPlatform());
    // Ends the worker if it runs and closes the network (removing an added address).
    ~TArtnetThread();
    TArtnetThread(const TArtnetThread&) = delete;
    TArtnetThread& operator=(const TArtnetThread&) = delete;

    // Set before Start.
    ThreadPriority Priority = ThreadPriority::Normal;
    Tick TickCallback;

    const uint32_t FrameInterval = 20; // ms
    std::atomic<bool> OutputEnabled{false};
    std::atomic<int32_t> OutputUniverse{0}; // sub-net x 16 + universe id
    std::atomic<ArtnetMode> ArtnetOutput{ArtnetMode::Broadcast};

    // Checks config (ranges, the multicast interface's address) and opens its socket on
    // the calling thread; the worker takes the new stream over at its next frame, ending
    // the old one with its terminating packets. Refused, everything stays as it was.
    OutputCheck SetSacnOutput(const SacnConfig& config);
    // Datagrams that could not be sent (network down, no route), and whether the latest
    // frame's sends failed; NET:NG in the status panel.
    uint32_t SendFailures() const { return sendFailures_.load(); }
    bool SendFailing() const { return artnetFailing_.load() || sacnFailing_.load(); }

    void Start();
    void Terminate(); // the loop ends at its next test
    void WaitFor();   // joins the worker

    void SetNodeNames(std::string_view shortName, std::string_view longName);
    void SendPoll();
    void SendPollReply();
    // Sends frame as ArtDmx when forced or when it differs from the last frame sent, as
    // ArtnetOutput says. Returns the bytes sent, 0 when nothing was sent, -1 when every
    // send failed.
    long SendDmx(const uint8_t* frame, bool force);
    // Handles at most one waiting datagram.
    void ReceivePacket();
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
    int NodeCount() const { return NodeTable.Count(); }
    bool NodeListChanged() const { return NodeTable.Changed(); }
    void SetNodeListChanged() { NodeTable.SetChanged(); }
    std::optional<NodeEntry> Node(int index) const { return NodeTable.Entry(index); }

    bool SocketReady() const { return socketReady_.load(); }
    // Why the socket could not be opened or bound (the system's reason, such as the port
    // being in use); empty when it is ready. The desktop program says nothing about it.
    const std::string& SocketError() const { return socketError_; }
    int32_t ReceiveUniverse() const { return receiveUniverse_; }
    uint32_t LocalAddress() const { return localAddress_; } // network byte order
    const std::string& LocalAddressText() const { return localAddressText_; }
    uint32_t AddressContext() const { return addressContext_.load(); }
    // The set-up failure text; the owner shows it once and clears it.
    const std::string& InitError() const { return initError_; }
    void ClearInitError() { initError_.clear(); }

private:
    void SetupNetwork();
    void WaitUntil(int64_t deadline);
    long Send(const uint8_t* data, size_t size);
    long SendTo(uint32_t address, const uint8_t* data, size_t size);
    long Counted(long result);
    int64_t Now() const;
    // The first IPv4 address of the named interface (network byte order).
    std::optional<uint32_t> InterfaceAddress(const std::string& name) const;
    // Worker: takes over a stream set by SetSacnOutput; runs the sACN side of a frame.
    void TakeSacnOutput();
    void RunSacn(bool force);
    void EndSacn();

    ArtnetPlatform platform_;

    // The socket is shared by the worker and the user interface; the lock keeps a send
    // from running into CloseNetwork.
    std::mutex socketLock_;
    std::unique_ptr<ArtnetSocket> socket_;
    std::atomic<bool> socketReady_{false};

    const PollPacket pollPacket_ = BuildPollPacket();
    DmxPacket dmxPacket_{};          // worker only; data area = last frame sent
    std::mutex namesLock_;           // the reply packet and the own short name
    ReplyPacket replyPacket_{};
    std::string ownShortName_;

    int32_t receiveUniverse_ = 5;
    std::array<uint8_t, ReceiveBufferSize> receiveBuffer_{};
    DiscoveredNodes NodeTable;

    uint32_t addressInterface_ = 0;
    std::atomic<uint32_t> addressContext_{0}; // interface index of the added address; 0 when none
    uint32_t localAddress_ = 0;
    std::string localAddressText_;
    std::string initError_;
    std::string socketError_;

    std::array<uint8_t, OutputFrameSize> outputFrame_{};
    std::array<uint32_t, DiscoveredNodes::Capacity> unicastTargets_{}; // worker only
    int64_t lastDmxSend_ = 0; // ns, worker only

    std::mutex sacnLock_; // the stream handed over
    std::unique_ptr<SacnSender> pendingSacn_;
    std::atomic<bool> sacnPending_{false};
    std::unique_ptr<SacnSender> sacn_; // worker only

    std::atomic<uint32_t> sendFailures_{0};
    std::atomic<bool> artnetFailing_{false};
    std::atomic<bool> sacnFailing_{false};

    std::atomic<bool> terminate_{false};
    std::thread worker_;
};
