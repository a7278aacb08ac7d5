// The recovery copy's timing when the disk is slow: a copy due during a write follows it,
// and the delay after that is the delay the copy was made with.
#include "editor/recovery_copy.h"

#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

TEST(RecoveryCopy, AfterASlowWriteTheDelayIsWhatItWas)
{
    constexpr int Delay = 300;
    std::atomic<int> writes{0};
    std::atomic<bool> slow{true};
    RecoveryCopy copy(
        "/nonexistent", Delay, {[] { return std::string("/shows/a.PRJ"); }, [] { return std::vector<uint8_t>{1}; }},
        nullptr, [&](const std::string&, const std::string&, const RecoveryRecord&, const std::vector<uint8_t>&) {
            while (slow)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            ++writes;
            return WriteResult{};
        });
    copy.Due();
    // The first write hangs; the copies due meanwhile wait for it.
    QTest::qWait(Delay + 100);
    copy.Due();
    QTest::qWait(Delay + 100);
    copy.Due();
    slow = false;
    ASSERT_TRUE(QTest::qWaitFor([&] { return writes == 2; }, 5000)) << "the copy due during the write follows it";

    // The disk is quick again: the next copy comes after the delay, not before, and not later.
    QTest::qWait(50);
    QElapsedTimer since;
    since.start();
    copy.Due();
    ASSERT_TRUE(QTest::qWaitFor([&] { return writes == 3; }, 5000));
    EXPECT_GE(since.elapsed(), Delay - 20);
    EXPECT_LT(since.elapsed(), 800) << "the delay of a slow disk stayed";
}

} // namespace
