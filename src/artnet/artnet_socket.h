#pragma once
// The one UDP socket of the Art-Net worker, behind a small interface so the thread's
// rules can be exercised without a network.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class ArtnetSocket {
public:
    virtual ~ArtnetSocket() = default;
    // Sends one datagram to 2.255.255.255:6454. Returns the bytes sent, or -1.
    virtual long SendBroadcast(const uint8_t* data, size_t size) = 0;
    // Sends one datagram to address:6454 (host byte order). Returns the bytes sent, or -1.
    virtual long SendTo(uint32_t address, const uint8_t* data, size_t size) = 0;
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
