#pragma once
// Private network namespaces for one test: an application side and, joined to it by a
// virtual cable, a node side (2.0.0.2/8 on lr-node unless told), both removed at the end. Work runs
// in a namespace on a thread of its own that has entered it; sockets keep the namespace
// they were made in. Needs root; Usable() is false otherwise, and Problem() says why.

#include <functional>
#include <string>

class NetnsPair {
public:
    // appAddress: the application side's address on lr-app (CIDR), or empty for a
    // namespace with only loopback and no cable; nodeAddress: the node side's.
    explicit NetnsPair(const std::string& appAddress, const std::string& nodeAddress = "2.0.0.2/8");
    ~NetnsPair();
    NetnsPair(const NetnsPair&) = delete;
    NetnsPair& operator=(const NetnsPair&) = delete;

    bool Usable() const { return usable_; }
    const std::string& Problem() const { return problem_; }
    const std::string& App() const { return app_; }
    const std::string& Node() const { return node_; }

    // Runs work on a new thread inside the namespace and waits for it.
    static void RunIn(const std::string& ns, const std::function<void()>& work);
    // Enters ns on the calling thread; for threads that run in a namespace for long.
    static bool Enter(const std::string& ns);

    // `ip -4 addr show` inside the application side.
    std::string AppAddresses() const;

private:
    // Runs one set-up command; the first failure is kept as the problem.
    bool Set(const std::string& command);

    std::string app_, node_;
    std::string problem_;
    bool usable_ = false;
};
