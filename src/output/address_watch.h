#pragma once
// Word from the kernel that the network changed: an IPv4 address came or went (DHCP, another
// Wi-Fi, a cable plugged in), a link went up or down, a route changed. The output worker
// then reads the network again and follows it.

#include <memory>

class AddressWatch {
public:
    virtual ~AddressWatch() = default;
    // Turns readable when a change waits.
    virtual int WaitFd() const = 0;
    // Takes every waiting report without blocking; true when there was any.
    virtual bool TakeChanges() = 0;
};

// An rtnetlink socket subscribed to IPv4 address, link and route changes; null when the
// system has none (the output then keeps the network it found at the start).
std::unique_ptr<AddressWatch> OpenAddressWatch();
