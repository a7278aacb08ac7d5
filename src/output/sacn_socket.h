#pragma once
// The sACN sending socket: UDP from any port to port 5568 of one address, multicast with
// its TTL and leaving through the chosen interface. Behind an interface so the sender's
// rules can be exercised without a network.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class SacnSocket {
public:
    virtual ~SacnSocket() = default;
    // One datagram to address:5568 (host byte order). The bytes sent, or -1.
    virtual long SendTo(uint32_t address, const uint8_t* data, size_t size) = 0;
    // Multicast leaves by the interface of this address (network byte order) from now on.
    virtual void SetMulticastInterface(uint32_t interfaceAddress) = 0;
};

struct OpenedSacnSocket {
    std::unique_ptr<SacnSocket> socket; // null when it could not be made
    std::string error;                  // the system's reason then
};

// interfaceAddress: the address whose interface multicast leaves by (network byte order);
// ttl: the multicast hops. Receivers on this machine (a visualiser) hear it too.
OpenedSacnSocket OpenSacnSocket(uint32_t interfaceAddress, int ttl);
