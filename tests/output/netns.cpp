#include "netns.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

#include <atomic>
#include <thread>

namespace {

std::string UniqueName(const char* side)
{
    static std::atomic<int> counter{0};
    return "lrt-" + std::to_string(getpid()) + "-" + std::to_string(counter++) + "-" + side;
}

bool Run(const std::string& command) { return RunCommand(command + " >/dev/null 2>&1") == 0; }

} // namespace

bool NetnsPair::Set(const std::string& command)
{
    if (!problem_.empty())
        return false;
    std::string out;
    if (RunCommand(command + " 2>&1", &out) == 0)
        return true;
    problem_ = "\"" + command + "\" failed: " + out;
    return false;
}

NetnsPair::NetnsPair(const std::string& appAddress, const std::string& nodeAddress) : app_(UniqueName("a"))
{
    if (geteuid() != 0) {
        problem_ = "needs root to make network namespaces";
        return;
    }
    if (!Set("ip netns add " + app_))
        return;
    usable_ = Set("ip -n " + app_ + " link set lo up");
    if (!usable_ || appAddress.empty())
        return;
    node_ = UniqueName("n");
    // The cable is made inside the application side and one end handed over, so neither
    // end ever appears in the namespace the tests run in.
    usable_ = Set("ip netns add " + node_) && Set("ip -n " + node_ + " link set lo up")
              && Set("ip -n " + app_ + " link add lr-app type veth peer name lr-node")
              && Set("ip -n " + app_ + " link set lr-node netns " + node_)
              && Set("ip -n " + app_ + " addr add " + appAddress + " brd + dev lr-app")
              && Set("ip -n " + node_ + " addr add " + nodeAddress + " brd + dev lr-node")
              && Set("ip -n " + app_ + " link set lr-app up") && Set("ip -n " + node_ + " link set lr-node up");
}

NetnsPair::~NetnsPair()
{
    Run("ip netns del " + app_);
    if (!node_.empty())
        Run("ip netns del " + node_);
}

bool NetnsPair::Enter(const std::string& ns)
{
    const int fd = open(("/run/netns/" + ns).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = setns(fd, CLONE_NEWNET) == 0;
    close(fd);
    return ok;
}

void NetnsPair::RunIn(const std::string& ns, const std::function<void()>& work)
{
    std::thread t([&] {
        if (Enter(ns))
            work();
        else
            ADD_FAILURE() << "cannot enter namespace " << ns;
    });
    t.join();
}

std::string NetnsPair::AppAddresses() const
{
    std::string out;
    RunCommand("ip -n " + app_ + " -4 addr show", &out);
    return out;
}
