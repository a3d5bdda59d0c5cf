// The socket layer as the link and the simulator use it, on every platform: datagrams too large
// for their buffer, waits bounded by the time left, the waiter that other threads can wake,
// and on Windows the socket layer's start-up.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "link/session.h"
#include "platform/socket.h"
#include "platform/wait.h"
#include "tests/core/log_capture.h"
#include "tests/support/private_network.h"

#ifdef _WIN32
#include <winsock2.h>
#endif

namespace kx::platform {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

constexpr std::uint32_t kLocalhost = 0x7F000001;

long MsSince(Clock::time_point start) {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

// Two sockets on 127.0.0.1 with ports the system picks; `from` sends to `to`.
class Sockets : public testing::Test {
protected:
    void SetUp() override {
        KX_REQUIRE_PRIVATE_NETWORK();
        for (SocketHandle* s : {&from, &to}) {
            *s = OpenUdpSocket(0);
            ASSERT_NE(*s, kNoSocket);
            ASSERT_TRUE(Bind(*s, {kLocalhost, 0}));
            SetNonBlocking(*s);
        }
        to_at = LocalEndpoint(to).value_or(Endpoint{});
        ASSERT_EQ(to_at.ip, kLocalhost);
        ASSERT_NE(to_at.port, 0);
    }
    void TearDown() override {
        for (SocketHandle s : {from, to})
            if (s != kNoSocket)
                CloseSocket(s);
    }

    void Send(const Bytes& bytes) const {
        ASSERT_EQ(SendTo(from, bytes.data(), bytes.size(), to_at), static_cast<int>(bytes.size()));
    }
    // The next datagram as the link reads it into a 128-byte buffer.
    int Receive(Bytes& buffer) const {
        buffer.assign(128, 0xEE);
        EXPECT_TRUE(WaitReadable(to, 2000));
        return RecvFrom(to, buffer.data(), buffer.size(), nullptr);
    }

    SocketHandle from = kNoSocket;
    SocketHandle to = kNoSocket;
    Endpoint to_at;
};

Bytes Pattern(std::size_t size) {
    Bytes out(size);
    for (std::size_t i = 0; i < size; ++i)
        out[i] = static_cast<std::uint8_t>(i * 7 + 1);
    return out;
}

// A datagram one byte too long is dropped whole (Windows reports WSAEMSGSIZE): no part of it
// turns up, and the datagrams behind it, one of exactly the buffer's size included, arrive
// intact.
TEST_F(Sockets, DatagramLargerThanTheBufferIsDiscardedWhole) {
    Send(Pattern(129));
    Send(Pattern(128));
    Send(Pattern(20));
    Bytes buffer;
    EXPECT_EQ(Receive(buffer), -1);
    ASSERT_EQ(Receive(buffer), 128);
    EXPECT_EQ(buffer, Pattern(128));
    ASSERT_EQ(Receive(buffer), 20);
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 20), Pattern(20));
    EXPECT_FALSE(WaitReadable(to, 0));
    EXPECT_EQ(RecvFrom(to, buffer.data(), buffer.size(), nullptr), -1) << "nothing left over";
}

TEST_F(Sockets, SenderAddressComesWithTheDatagram) {
    Send(Pattern(1));
    Bytes buffer(128);
    ASSERT_TRUE(WaitReadable(to, 2000));
    Endpoint sender;
    ASSERT_EQ(RecvFrom(to, buffer.data(), buffer.size(), &sender), 1);
    EXPECT_EQ(sender, LocalEndpoint(from).value_or(Endpoint{}));
}

// The receive loops wait no longer than the time left, and no longer than it takes a datagram to
// arrive. The lower bounds allow for a coarse system timer; the upper ones only catch a wait
// that ignores its datagram.
TEST_F(Sockets, WaitEndsWhenTheTimeRunsOutOrADatagramArrives) {
    auto start = Clock::now();
    EXPECT_FALSE(WaitReadable(to, 0));
    EXPECT_LT(MsSince(start), 1000);

    start = Clock::now();
    EXPECT_FALSE(WaitReadable(to, 150));
    EXPECT_GE(MsSince(start), 130);

    std::thread sender([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        Send(Pattern(3));
    });
    start = Clock::now();
    EXPECT_TRUE(WaitReadable(to, 60000));
    EXPECT_LT(MsSince(start), 30000);
    sender.join();
}

TEST_F(Sockets, WaitTellsWhichSocketIsReadyAndAWakerEndsItFromAnotherThread) {
    Waker waker;
    ASSERT_TRUE(waker.Ok());
    std::vector<WaitItem> items{{from}, {kNoSocket}, {to}, {waker.Handle()}};
    auto ready = [&items] {
        std::vector<bool> out;
        for (const WaitItem& item : items)
            out.push_back(item.ready);
        return out;
    };

    EXPECT_FALSE(WaitAnyReadable(items, 0));
    EXPECT_EQ(ready(), (std::vector<bool>{false, false, false, false}));

    Send(Pattern(5));
    EXPECT_TRUE(WaitAnyReadable(items, 10000));
    EXPECT_EQ(ready(), (std::vector<bool>{false, false, true, false}));
    Bytes buffer;
    ASSERT_EQ(Receive(buffer), 5);

    std::thread other([&waker] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        waker.Wake();
        waker.Wake();
    });
    EXPECT_TRUE(WaitAnyReadable(items, kWaitForever));
    other.join();
    EXPECT_EQ(ready(), (std::vector<bool>{false, false, false, true}));
    // Clear takes every wake-up, so the next wait sleeps again.
    waker.Clear();
    EXPECT_FALSE(WaitAnyReadable(items, 0));
}

#ifdef _WIN32
// Without a started socket layer every socket call fails; the search says so with its message
// box and the session's start-up makes the next search work.
TEST(WindowsSockets, FailedSocketIsReportedAndStartupRecovers) {
    KX_REQUIRE_PRIVATE_NETWORK();
    int started = 0;
    while (WSACleanup() == 0)
        ++started;
    EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
    EXPECT_EQ(OpenUdpSocket(0), kNoSocket);

    HeadlessView view;
    CKX7214Session session{view};
    session.Publish();
    session.m_search_wait_ms = 100;
    {
        test::LogCapture log;
        session.ScanDevices();
        EXPECT_TRUE(log.Has("create socket fail \n"));
    }
    ASSERT_EQ(view.alerts.size(), 1u);
    EXPECT_EQ(view.alerts[0], (Alert{"Create socket err", "Err", AlertButtons::OkCancel}));

    EXPECT_EQ(session.StartWinsock(), 1);
    {
        test::LogCapture log;
        session.ScanDevices();
        EXPECT_TRUE(log.Has("create socket success \n"));
    }
    EXPECT_EQ(view.alerts.size(), 1u);
    EXPECT_EQ(view.status_text, "No Device Connected ");
    for (int i = 0; i < started; ++i)
        SocketStartup();
}
#endif

} // namespace
} // namespace kx::platform
