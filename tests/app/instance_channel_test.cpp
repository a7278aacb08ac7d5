// The running program's end of the hand-over: a peer that floods it without a line end is
// cut off, and the next peer's show still arrives.
#include "app/instance_channel.h"
#include "support/test_support.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace {

struct FloodResult {
    size_t sent = 0;
    int error = 0; // why sending stopped; 0 when everything went
};

// Sends total bytes without a line end, as fast as the program takes them.
FloodResult Flood(const std::string& socketPath, size_t total)
{
    FloodResult r;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
    // A program that neither reads nor hangs up must not hold the test for ever.
    const timeval limit{20, 0};
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        r.error = errno;
        close(fd);
        return r;
    }
    const std::string chunk(64 * 1024, 'x');
    while (r.sent < total) {
        const ssize_t n = send(fd, chunk.data(), std::min(chunk.size(), total - r.sent), MSG_NOSIGNAL);
        if (n <= 0) {
            r.error = errno;
            break;
        }
        r.sent += size_t(n);
    }
    close(fd);
    return r;
}

bool RunEventsUntil(const std::function<bool()>& done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return done();
}

TEST(InstanceChannel, APeerSendingNoLineEndIsCutOffAndTheNextPeerIsHeard)
{
    TempDir dir;
    const std::string socketPath = dir / "hand-over.socket";
    InstanceChannel channel(QString::fromStdString(socketPath));
    QStringList opened;
    ASSERT_TRUE(channel.Listen([&opened](const QString& path) { opened << path; }));

    const size_t total = size_t(16) << 20;
    std::atomic<bool> finished = false;
    FloodResult flood;
    std::thread peer([&] {
        flood = Flood(socketPath, total);
        finished = true;
    });
    const bool ended = RunEventsUntil([&] { return finished.load(); });
    peer.join();
    ASSERT_TRUE(ended);
    EXPECT_LT(flood.sent, total);
    EXPECT_TRUE(flood.error == EPIPE || flood.error == ECONNRESET) << std::strerror(flood.error);

    const QString show = "/shows/after the flood.PRJ";
    ASSERT_TRUE(InstanceChannel::Send(QString::fromStdString(socketPath), show));
    EXPECT_TRUE(RunEventsUntil([&] { return !opened.isEmpty(); }));
    EXPECT_EQ(opened, QStringList{show});
}

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
