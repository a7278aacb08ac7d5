#pragma once
// The one UDP socket of the output worker for Art-Net, behind a small interface so the
// worker's rules can be exercised without a network.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class ArtnetSocket {
public:
    virtual ~ArtnetSocket() = default;
    // Sends one datagram to address:6454 (host byte order). interfaceIndex, when not 0, is the
    // interface a broadcast leaves by, whatever the routing table says (a LAN without a
    // default route still gets the limited broadcast). Returns the bytes sent, or -1.
    virtual long SendTo(uint32_t address, uint32_t interfaceIndex, const uint8_t* data, size_t size) = 0;
    // Takes one waiting datagram without blocking: its size, or -1 when none waits.
    virtual long Receive(uint8_t* buffer, size_t capacity) = 0;
    // A descriptor that turns readable when a datagram waits; -1 when there is none.
    virtual int WaitFd() const = 0;
};

struct OpenedSocket {
    std::unique_ptr<ArtnetSocket> socket; // null when it could not be created or bound
    bool layerFailed = false;             // no UDP socket can be created at all
    std::string error;                    // the system's reason when socket is null
};

// A UDP socket bound to any address, port 6454, allowed to broadcast.
OpenedSocket OpenArtnetSocket();
