// The fleet engine against simulated multiviewers and against hand-driven sockets that answer
// out of order, twice, too long or not at all. Expected request bytes are written out here.
#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <thread>

#include "link/fleet_engine.h"
#include "link/fleet_table.h"
#include "platform/clock.h"
#include "platform/socket.h"
#include "sim/multiviewer.h"
#include "tests/core/hand_device.h"
#include "tests/core/log_capture.h"
#include "tests/support/private_network.h"
#include "tests/support/sample_device.h"

namespace kx {

void PrintTo(FleetOutcome outcome, std::ostream* os) {
    *os << OutcomeWord(outcome);
}

namespace {

using Bytes = std::vector<std::uint8_t>;
using test::HandDevice;

constexpr std::uint32_t Ip(int last) {
    return 0x7F000000u | static_cast<std::uint32_t>(last);
}

FleetDevice Dev(int last, std::uint8_t addr = 1) {
    return {Ip(last), addr, 0xA3};
}

// An acknowledgement as a device sends it (the panel reads bytes 16 and 17 only).
Bytes Ack(std::uint8_t command, std::uint8_t status) {
    return {0xA5, 0x6C, 0x15, 0x00, 0xA3, 0x01,    0x01,   0,    0,    0,   0,
            0,    0,    0,    0,    0,    command, status, 0x00, 0x00, 0xAE};
}

// Whether a socket of this (private) network holds port 7000 on every address. Only Linux
// shows a test its socket table; elsewhere the answer is `elsewhere`.
bool WildcardPort7000Open([[maybe_unused]] bool elsewhere) {
#ifdef __linux__
    std::ifstream udp("/proc/net/udp");
    std::string line;
    while (std::getline(udp, line))
        if (line.find(" 00000000:1B58 ") != std::string::npos)
            return true;
    return false;
#else
    return elsewhere;
#endif
}

// ---- requests and the table, without sockets ----

TEST(FleetJobs, RequestsCarryTheSessionsFramesToTheirDevice) {
    FleetTable table([](std::uint32_t) { return false; });
    const Bytes zeros(9, 0);
    auto frame = [&](FleetJob job) {
        table.Add(1, std::move(job));
        auto out = table.StartFree(0);
        EXPECT_EQ(out.size(), 1u);
        table.Expire(100000);
        return out.at(0).frame;
    };
    EXPECT_EQ(frame(ReadAllJob(Dev(2))),
              (Bytes{0xA5, 0x6C, 0x14, 0x00, 0xA3, 0x01, 0x01, 0,    0,    0,
                     0,    0,    0,    0,    0,    0,    0x90, 0x5A, 0x02, 0xAE}));
    EXPECT_EQ(frame(ValueJob(Dev(2), 0x94, 5)),
              (Bytes{0xA5, 0x6C, 0x15, 0x00, 0xA3, 0x01, 0x01, 0,    0,    0,   0,
                     0,    0,    0,    0,    0,    0x94, 0x05, 0x64, 0x02, 0xAE}));
    EXPECT_EQ(frame(LineValueJob(Dev(2), 0x95, 2, 1)),
              (Bytes{0xA5, 0x6C, 0x16, 0x00, 0xA3, 0x01, 0x01, 0,    0,    0,    0,
                     0,    0,    0,    0,    0,    0x95, 0x02, 0x01, 0x64, 0x02, 0xAE}));
    EXPECT_EQ(frame(UmdTextJob(Dev(2), 0, u"AB")),
              (Bytes{0xA5, 0x6C, 0x19, 0x00, 0xA3, 0x01, 0x01, 0,    0,    0,    0,    0,   0,
                     0,    0,    0,    0x99, 0x00, 0x41, 0x00, 0x42, 0x00, 0xEB, 0x02, 0xAE}));
    EXPECT_EQ(frame(DeviceNameJob(Dev(2), u"AB")),
              (Bytes{0xA5, 0x6C, 0x17, 0x00, 0xA3, 0x01, 0x01, 0,    0,    0,    0,   0,
                     0,    0,    0,    0,    0x91, 0x41, 0x42, 0x00, 0xE1, 0x02, 0xAE}));
    EXPECT_EQ(frame(NetworkJob(Dev(2), {192, 168, 1, 10, 255, 255, 255, 0, 192, 168, 1, 1})),
              (Bytes{0xA5, 0x6C, 0x20, 0x00, 0xA3, 0x01, 0x01, 0,    0,    0,    0,
                     0,    0,    0,    0,    0,    0xA6, 0xC0, 0xA8, 0x01, 0x0A, 0xFF,
                     0xFF, 0xFF, 0x00, 0xC0, 0xA8, 0x01, 0x01, 0x56, 0x08, 0xAE}));
    EXPECT_EQ(frame(SearchJob(Ip(2))),
              (Bytes{0xA5, 0x6C, 0x14, 0x00, 0x81, 0xFF, 0x01, 0,    0,    0,
                     0,    0,    0,    0,    0,    0,    0xFF, 0xA5, 0x03, 0xAE}));
    // The empty text and the empty name: the line byte alone, the zero alone.
    EXPECT_EQ(frame(UmdTextJob(Dev(2), 3, u"")).size(), 21u);
    EXPECT_EQ(frame(DeviceNameJob(Dev(2), u"")).at(17), 0x00);

    // Seventeen characters: sixteen go, and a pair is never split.
    const Bytes long_text = frame(UmdTextJob(Dev(2), 1, u"0123456789abcdefg"));
    EXPECT_EQ(long_text.size(), 53u);
    EXPECT_EQ(long_text[17 + 1 + 30], 'f');
    EXPECT_EQ(frame(UmdTextJob(Dev(2), 1, u"012345678901234\U0001F600")).size(), 51u);

    SessionState defaults;
    defaults.LoadDefaults();
    defaults.m_all_kx7214_page_data.kx7214_audio_postion[3] = 1;
    const Bytes all = frame(SetAllJob(Dev(2, 7), defaults));
    ASSERT_EQ(all.size(), 255u);
    EXPECT_EQ(all[2], 0xFF);
    EXPECT_EQ(all[3], 0x00);
    EXPECT_EQ(all[5], 0x07);
    EXPECT_EQ(all[16], 0xA5);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&all[27])), "KX7214_NO.1");
    EXPECT_EQ(all[17 + 206], 2); // audio position 1 of input 3 travels as 2
}

TEST(FleetJobs, OneRequestInFlightPerDeviceAndEachItsOwnDeadline) {
    FleetTable table([](std::uint32_t) { return false; });
    table.Add(1, ValueJob(Dev(2), 0x94, 1));        // 1000 ms
    table.Add(2, ValueJob(Dev(2), 0x94, 2));        // waits for ticket 1
    table.Add(3, LineValueJob(Dev(3), 0x95, 0, 1)); // 500 ms
    auto out = table.StartFree(1000);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(table.InFlightCount(), 2u);
    EXPECT_TRUE(table.StartFree(1000).empty());
    EXPECT_EQ(table.TimeToNextDeadline(1000), 501u);

    // A reply at exactly the deadline still counts; one millisecond later it is too late.
    EXPECT_TRUE(table.Expire(1500).empty());
    auto late = table.Expire(1501);
    ASSERT_EQ(late.size(), 1u);
    EXPECT_EQ(late[0].ticket, 3u);
    EXPECT_EQ(late[0].result.outcome, FleetOutcome::NoAnswer);
    EXPECT_EQ(late[0].result.round_trip_ms, 501u);

    // The device's answer frees it; its second job goes out only then.
    auto done = table.Take({Ip(2), 7000}, Ack(0x94, 0), 1040);
    ASSERT_TRUE(done);
    EXPECT_EQ(done->ticket, 1u);
    EXPECT_EQ(done->result.round_trip_ms, 40u);
    out = table.StartFree(1041);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].frame[17], 2);

    // Dropping ends what waits, never what is in flight.
    table.Add(4, ValueJob(Dev(2), 0x94, 3));
    table.Add(5, ReadAllJob(Dev(4)));
    auto dropped = table.DropWaiting("stopped");
    ASSERT_EQ(dropped.size(), 2u);
    EXPECT_EQ(dropped[0].result.outcome, FleetOutcome::NotSent);
    EXPECT_EQ(dropped[0].result.problem, "stopped");
    EXPECT_EQ(table.InFlightCount(), 1u);
    EXPECT_FALSE(table.HasWaiting());
    EXPECT_TRUE(table.HasWork());
}

TEST(FleetJobs, WhatCountsAsTheAnswer) {
    bool itself = false;
    FleetTable table([&itself](std::uint32_t) { return itself; });
    table.Add(1, ValueJob(Dev(2), 0x94, 0));
    const Bytes request = table.StartFree(0).at(0).frame;

    EXPECT_FALSE(table.Take({Ip(3), 7000}, Ack(0x94, 0), 1)) << "another sender";
    EXPECT_FALSE(table.Take({Ip(2), 7000}, Ack(0x93, 0), 1)) << "another command";
    Bytes big = Ack(0x94, 0);
    big.resize(129, 0);
    EXPECT_FALSE(table.Take({Ip(2), 7000}, big, 1)) << "longer than an acknowledgement can be";
    itself = true;
    EXPECT_FALSE(table.Take({Ip(2), 7000}, request, 1)) << "our own request come back";
    // The same bytes from a device that really answered: status 0 of a value 0.
    auto done = table.Take({Ip(2), 7001}, request, 2);
    ASSERT_TRUE(done) << "our own request never leaves from another port";
    table.Add(9, ValueJob(Dev(2), 0x94, 0));
    table.StartFree(2);
    itself = false;
    done = table.Take({Ip(2), 7000}, request, 2);
    ASSERT_TRUE(done);
    EXPECT_EQ(done->result.outcome, FleetOutcome::Accepted);
    EXPECT_EQ(done->result.status, 0);
    EXPECT_FALSE(table.Take({Ip(2), 7000}, Ack(0x94, 0), 3)) << "nothing in flight any more";

    table.Add(2, ValueJob(Dev(2), 0x94, 1));
    table.StartFree(10);
    done = table.Take({Ip(2), 7000}, Ack(0x94, 1), 11);
    ASSERT_TRUE(done);
    EXPECT_EQ(done->result.outcome, FleetOutcome::Refused);
    EXPECT_EQ(done->result.status, 1);

    // A read-all reply of any length is decoded; past its end everything reads as zero.
    table.Add(3, ReadAllJob(Dev(2)));
    table.StartFree(20);
    Bytes short_reply = {0xA5, 0x6C, 0x17, 0x00, 0xA3, 0x01, 0x01, 0,    0,    0,   0,
                         0,    0,    0,    0,    0,    0x90, 0x09, 0x0C, 0x22, 0x05};
    done = table.Take({Ip(2), 7000}, short_reply, 21);
    ASSERT_TRUE(done && done->result.config);
    EXPECT_EQ(done->result.config->m_control_mode, 9);
    EXPECT_EQ(done->result.config->m_all_kx7214_page_data.kx7214_firmware_version[0], 12);
    EXPECT_EQ(done->result.config->m_all_kx7214_page_data.kx7214_output_format, 5);
    EXPECT_EQ(done->result.config->m_device_name, u"");
}

TEST(FleetJobs, DiagnosticLinesNameTheirDevice) {
    FleetTable table([](std::uint32_t) { return false; });
    table.Add(1, ValueJob(Dev(2), 0x94, 1));
    table.Add(2, NetworkJob(Dev(3), {10, 0, 0, 2, 255, 0, 0, 0, 10, 0, 0, 1}));
    table.StartFree(0);
    test::LogCapture log;
    table.Take({Ip(2), 7000}, Ack(0x93, 0), 1);
    table.Take({Ip(2), 7000}, Ack(0x94, 1), 1);
    table.Take({Ip(3), 7000}, Ack(0xA6, 0), 1);
    EXPECT_EQ(log.lines, (std::vector<std::string>{
                             "127.0.0.2 the cmd is not right \n", "127.0.0.2 send error \n",
                             "127.0.0.3 set ip success \n", "127.0.0.3 send ok \n"}));
}

// ---- the engine on the network ----

class FleetEngineTest : public ::testing::Test {
protected:
    void SetUp() override { KX_REQUIRE_PRIVATE_NETWORK(); }

    sim::SimDevice& AddDevice(int last, const std::string& name, std::uint8_t addr = 1) {
        return host.AddDevice(test::SampleDevice(Ip(last), name, addr));
    }
    void StartHost() { ASSERT_TRUE(host.Start()) << host.Error(); }

    sim::DeviceHost host;
};

TEST_F(FleetEngineTest, ManyDevicesAnsweredAcceptedRefusedAndSilent) {
    constexpr int kDevices = 24;
    for (int i = 0; i < kDevices; ++i)
        AddDevice(2 + i, "Dev" + std::to_string(i), static_cast<std::uint8_t>(i));
    auto devices = host.Devices();
    devices[1]->status = 3;
    devices[2]->silent = true;
    StartHost();

    FleetEngine engine;
    std::vector<FleetJob> jobs;
    for (int i = 0; i < kDevices; ++i)
        jobs.push_back(ValueJob(Dev(2 + i, static_cast<std::uint8_t>(i)), 0x94, 0));
    const std::uint32_t t0 = platform::TickCount();
    const auto results = engine.RunBatch(jobs);
    const std::uint32_t wall = platform::ElapsedSince(t0);

    ASSERT_EQ(results.size(), jobs.size());
    EXPECT_EQ(results[0].outcome, FleetOutcome::Accepted);
    EXPECT_EQ(results[1].outcome, FleetOutcome::Refused);
    EXPECT_EQ(results[1].status, 3);
    EXPECT_EQ(results[2].outcome, FleetOutcome::NoAnswer);
    EXPECT_GE(results[2].round_trip_ms, 1000u);
    for (int i = 3; i < kDevices; ++i) {
        EXPECT_EQ(results[static_cast<std::size_t>(i)].outcome, FleetOutcome::Accepted) << i;
        EXPECT_EQ(devices[static_cast<std::size_t>(i)]->Config().At(block::kOutputLayout), 0);
        // Each request carried its own device's address byte.
        EXPECT_EQ(devices[static_cast<std::size_t>(i)]->ReceivedRequests().at(0)[5], i);
    }
    // Side by side: the silent device's deadline, not the sum of all.
    EXPECT_LT(wall, 1900u);
    EXPECT_FALSE(WildcardPort7000Open(false))
        << "the socket is closed once the last result is handed over";
}

TEST_F(FleetEngineTest, ReadAllDecodesEachDevicesOwnConfiguration) {
    AddDevice(2, "Alpha");
    AddDevice(3, "Beta", 7).SetConfig([] {
        auto c = sim::DeviceConfig::Sample("Beta");
        c.firmware = {12, 34};
        c.At(block::kOutputLayout) = 15;
        return c;
    }());
    StartHost();
    FleetEngine engine;
    const auto r = engine.RunBatch({ReadAllJob(Dev(2)), ReadAllJob(Dev(3, 7))});
    ASSERT_TRUE(r[0].config && r[1].config);
    EXPECT_EQ(r[0].config->m_device_name, u"Alpha");
    EXPECT_EQ(r[1].config->m_device_name, u"Beta");
    EXPECT_EQ(r[1].config->m_all_kx7214_page_data.kx7214_output_layout, 15);
    EXPECT_EQ(r[1].config->m_all_kx7214_page_data.kx7214_firmware_version[1], 34);
}

TEST_F(FleetEngineTest, RepliesInAnotherOrderThanTheRequests) {
    // The first device asked answers last.
    for (int i = 0; i < 6; ++i) {
        auto& d = AddDevice(2 + i, "D" + std::to_string(i));
        d.reply_delay_ms = static_cast<std::uint32_t>(300 - 50 * i);
        d.status = static_cast<std::uint8_t>(i);
    }
    StartHost();
    FleetEngine engine;
    std::vector<FleetJob> jobs;
    for (int i = 0; i < 6; ++i)
        jobs.push_back(ValueJob(Dev(2 + i), 0x92, 1));
    const auto r = engine.RunBatch(jobs);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(r[static_cast<std::size_t>(i)].status, i) << "each reply went to its own device";
        EXPECT_GE(r[static_cast<std::size_t>(i)].round_trip_ms,
                  static_cast<std::uint32_t>(299 - 50 * i));
    }
}

TEST_F(FleetEngineTest, WrongCommandBytesAreSkippedAndSearchFindsTheAddressByte) {
    auto& a = AddDevice(2, "KX7214-Studio", 0x07);
    a.wrong_command_first = 2;
    AddDevice(3, "Edit");
    StartHost();
    FleetEngine engine;
    const auto r =
        engine.RunBatch({SearchJob(Ip(2)), SearchJob(Ip(3)), ValueJob(Dev(2, 7), 0xA4, 1)});
    ASSERT_TRUE(r[0].found && r[1].found);
    EXPECT_EQ(r[0].found->dev_addr, 0x07);
    EXPECT_EQ(r[0].found->dev_type, 0xA3);
    EXPECT_EQ(r[0].found->list_text, u"TRQ-9_127.0.0.2");
    EXPECT_EQ(r[1].found->list_text, u"Edit_127.0.0.3");
    EXPECT_EQ(r[2].outcome, FleetOutcome::Accepted);
    // Only the addressed devices heard the search.
    EXPECT_EQ(host.Devices()[1]->Frames().size(), 2u);
}

TEST_F(FleetEngineTest, OneRequestAtATimeToADeviceAndStrayDatagramsAnswerNothing) {
    HandDevice dev(Ip(2)), stray(Ip(9));
    ASSERT_TRUE(dev.Bound() && stray.Bound());
    FleetEngine engine;
    auto first = engine.Submit(ValueJob(Dev(2), 0x94, 4));
    auto second = engine.Submit(LineValueJob(Dev(2), 0x95, 1, 1));
    auto rq = dev.Receive();
    ASSERT_TRUE(rq);
    EXPECT_EQ(rq->at(16), 0x94);
    EXPECT_FALSE(dev.Receive(200)) << "the second request waits for the first's reply";

    // Another address answering the request is ignored, so is a datagram from no device.
    stray.SendTo(Ack(0x94, 0), {Ip(1), 7000});
    Bytes huge(2000, 0);
    huge[16] = 0x94;
    dev.Send(huge);
    EXPECT_EQ(first.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout);

    // Answered twice: the first counts, the second finds no request of its command.
    dev.Send(Ack(0x94, 2));
    dev.Send(Ack(0x94, 0));
    const FleetResult r1 = first.get();
    EXPECT_EQ(r1.outcome, FleetOutcome::Refused);
    EXPECT_EQ(r1.status, 2);
    rq = dev.Receive();
    ASSERT_TRUE(rq);
    EXPECT_EQ(rq->at(16), 0x95);
    dev.Send(Ack(0x95, 0));
    EXPECT_EQ(second.get().outcome, FleetOutcome::Accepted);
}

TEST_F(FleetEngineTest, OwnRequestComingBackIsNoAnswer) {
    // Nothing listens at these addresses: the request lands on our own port 7000.
    FleetEngine engine;
    const auto r = engine.RunBatch({ValueJob(Dev(1), 0x94, 0), LineValueJob(Dev(5), 0x95, 0, 0)});
    EXPECT_EQ(r[0].outcome, FleetOutcome::NoAnswer);
    EXPECT_EQ(r[1].outcome, FleetOutcome::NoAnswer);
}

TEST_F(FleetEngineTest, WhatTheSystemWillNotSendEndsAtOnceAsNotSent) {
    // The engine's socket may not broadcast, so the system refuses this address.
    FleetEngine engine;
    const std::uint32_t t0 = platform::TickCount();
    const auto r = engine.RunBatch({ValueJob({0xFFFFFFFF, 1}, 0x94, 1), ValueJob(Dev(5), 0x94, 1)});
    EXPECT_EQ(r[0].outcome, FleetOutcome::NotSent);
    EXPECT_EQ(r[0].problem, "the system would not send to that address");
    EXPECT_EQ(r[1].outcome, FleetOutcome::NoAnswer) << "the other device is waited for as usual";
    EXPECT_LT(platform::ElapsedSince(t0), 1900u);
}

TEST_F(FleetEngineTest, CallersOnManyThreadsAndChainedJobs) {
    for (int i = 0; i < 4; ++i)
        AddDevice(2 + i, "T" + std::to_string(i));
    StartHost();
    FleetEngine engine;
    std::atomic<int> accepted{0};
    std::vector<std::thread> callers;
    for (int t = 0; t < 8; ++t)
        callers.emplace_back([&engine, &accepted, t] {
            for (int k = 0; k < 10; ++k) {
                const auto job =
                    LineValueJob(Dev(2 + t % 4), 0x97, static_cast<std::uint8_t>(k % 4),
                                 static_cast<std::uint8_t>(t));
                if (engine.Submit(job).get().outcome == FleetOutcome::Accepted)
                    ++accepted;
            }
        });
    for (auto& c : callers)
        c.join();
    EXPECT_EQ(accepted, 80);

    // A result's callback submits the next job of its device.
    std::promise<FleetResult> last;
    engine.Submit(ReadAllJob(Dev(3)), [&engine, &last](FleetResult read) {
        read.config->m_all_kx7214_page_data.kx7214_output_layout = 9;
        engine.Submit(SetAllJob(Dev(3), *read.config),
                      [&last](FleetResult r) { last.set_value(std::move(r)); });
    });
    EXPECT_EQ(last.get_future().get().outcome, FleetOutcome::Accepted);
    EXPECT_EQ(host.Devices()[1]->Config().At(block::kOutputLayout), 9);
}

TEST_F(FleetEngineTest, PortHeldByAnotherProgramIsSaidPlainly) {
    FleetEngine engine;
    std::vector<FleetResult> r;
    {
        test::Port7000Holder holder;
        ASSERT_TRUE(holder.Held());
        r = engine.RunBatch({ValueJob(Dev(2), 0x94, 1), ReadAllJob(Dev(3))});
    }
    for (const auto& res : r) {
        EXPECT_EQ(res.outcome, FleetOutcome::NotSent);
        EXPECT_EQ(res.problem, "port 7000 is in use by another program");
    }
    // Free again: the next job goes out.
    HandDevice dev(Ip(2));
    auto next = engine.Submit(ValueJob(Dev(2), 0x94, 1));
    ASSERT_TRUE(dev.Receive());
    dev.Send(Ack(0x94, 0));
    EXPECT_EQ(next.get().outcome, FleetOutcome::Accepted);
}

TEST_F(FleetEngineTest, StoppingEndsWaitingJobsAndWaitsForTheOneInFlight) {
    HandDevice dev(Ip(2));
    std::future<FleetResult> in_flight, waiting;
    {
        FleetEngine engine;
        in_flight = engine.Submit(LineValueJob(Dev(2), 0x95, 0, 1));
        waiting = engine.Submit(LineValueJob(Dev(2), 0x95, 1, 1));
        ASSERT_TRUE(dev.Receive());
        EXPECT_TRUE(WildcardPort7000Open(true));
    }
    EXPECT_EQ(in_flight.get().outcome, FleetOutcome::NoAnswer);
    const FleetResult w = waiting.get();
    EXPECT_EQ(w.outcome, FleetOutcome::NotSent);
    EXPECT_FALSE(w.problem.empty());
    EXPECT_FALSE(dev.Receive(100));
    EXPECT_FALSE(WildcardPort7000Open(false));
}

} // namespace
} // namespace kx
