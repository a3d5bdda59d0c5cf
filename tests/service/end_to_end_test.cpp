// kx7214d against simulated multiviewers: HTTP requests and TSL labels reach the devices, and
// what the devices did comes back.
#ifdef _WIN32
#include <winsock2.h>
#else
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include "tests/service/service_fixture.h"

namespace kx::service::test {
namespace {

// Another program's plain sockets, with Windows Sockets' types where the test runs on Windows.
#ifdef _WIN32
using RawSocket = SOCKET;
void CloseRaw(RawSocket s) {
    closesocket(s);
}
#else
using RawSocket = int;
void CloseRaw(RawSocket s) {
    close(s);
}
#endif

long SendRaw(RawSocket s, const std::uint8_t* data, std::size_t len) {
    return static_cast<long>(
        send(s, reinterpret_cast<const char*>(data), static_cast<int>(len), 0));
}

using nlohmann::json;
using Bytes = std::vector<std::uint8_t>;

// v5.0 packet, screen 0, one display message with ASCII text.
Bytes V50(std::uint16_t index, std::uint16_t control, const std::string& text) {
    const auto length = static_cast<std::uint16_t>(text.size());
    const auto pbc = static_cast<std::uint16_t>(4 + 6 + length);
    Bytes p = {static_cast<std::uint8_t>(pbc),
               static_cast<std::uint8_t>(pbc >> 8),
               0x00,
               0x00,
               0x00,
               0x00,
               static_cast<std::uint8_t>(index),
               static_cast<std::uint8_t>(index >> 8),
               static_cast<std::uint8_t>(control),
               static_cast<std::uint8_t>(control >> 8),
               static_cast<std::uint8_t>(length),
               static_cast<std::uint8_t>(length >> 8)};
    p.insert(p.end(), text.begin(), text.end());
    return p;
}

Bytes V31(std::uint8_t address, std::uint8_t control, std::string text) {
    text.resize(16, ' ');
    Bytes m{static_cast<std::uint8_t>(0x80 + address), control};
    m.insert(m.end(), text.begin(), text.end());
    return m;
}

const char* kMap = R"({"displays": [
    {"tsl": {"screen": 0, "index": 1}, "device": "127.0.0.2", "line": 0},
    {"tsl": {"screen": 0, "index": 2}, "device": "127.0.0.2", "line": 3,
     "tally": {"idle": 15, "amber": 6}},
    {"tsl": {"address": 3}, "device": "127.0.0.3", "line": 1, "tally": {"idle": 1}}]})";

TEST_F(ServiceTest, HttpWritesReachTheDeviceAndReportItsAnswer) {
    sim::SimDevice& a = AddDevice(2, "Studio-A");
    sim::SimDevice& refusing = AddDevice(3, "Edit-Bay", 7);
    refusing.status = 5;
    Start();
    auto r = client->Put("/api/v1/devices/127.0.0.2/settings/output_layout", R"({"value": 12})",
                         "application/json");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 200);
    EXPECT_EQ(Json(r)["outcome"], "accepted");
    EXPECT_EQ(a.Config().block[2], 12);
    r = client->Put("/api/v1/devices/127.0.0.3/umd/2/text", R"({"text": "CAM 3"})",
                    "application/json");
    EXPECT_EQ(Json(r)["outcome"], "refused");
    EXPECT_EQ(Json(r)["status"], 5);
    // The first request to 127.0.0.3 learned its address byte by asking it directly.
    const auto frames = refusing.ReceivedRequests();
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames.back()[5], 7);
}

TEST_F(ServiceTest, ASilentDeviceIsNoAnswerAndAMissingOneIs404) {
    sim::SimDevice& a = AddDevice(2, "Studio-A");
    Start();
    ASSERT_EQ(client->Get("/api/v1/devices/127.0.0.2")->status, 200);
    a.silent = true;
    auto r =
        client->Put("/api/v1/devices/127.0.0.2/umd/0/text", R"({"text": "X"})", "application/json");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 200);
    EXPECT_EQ(Json(r)["outcome"], "no answer");
    EXPECT_GE(Json(r)["ms"], 500);
    r = client->Get("/api/v1/devices/127.0.0.2");
    EXPECT_EQ(r->status, 504);
    // Nothing answers at all at this address.
    r = client->Put("/api/v1/devices/127.0.0.4/name", R"({"name": "X"})", "application/json");
    EXPECT_EQ(r->status, 404);
}

TEST_F(ServiceTest, DeviceListComesFromTheSearch) {
    AddDevice(2, "Studio-A", 1);
    AddDevice(3, "Edit-Bay", 2);
    Start();
    const auto r = client->Get("/api/v1/devices");
    ASSERT_TRUE(r);
    const json list = Json(r);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]["ip"], "127.0.0.2");
    EXPECT_EQ(list[0]["dev_addr"], 1);
    EXPECT_EQ(list[1]["ip"], "127.0.0.3");
    EXPECT_EQ(list[1]["text"], "Edit-Bay_127.0.0.3");
    EXPECT_EQ(list[1]["dev_addr"], 2);
}

TEST_F(ServiceTest, ARefreshDuringASearchTakesThatSearchsList) {
    sim::SimDevice& a = AddDevice(2, "Studio-A");
    Start();
    const auto searches = [&] {
        int n = 0;
        for (const auto& f : a.Frames())
            n += !f.sent && f.bytes.size() > 16 && f.bytes[16] == 0xFF ? 1 : 0;
        return n;
    };
    std::thread first([&] {
        httplib::Client c("127.0.0.1", service->HttpPort());
        c.set_read_timeout(10, 0);
        EXPECT_EQ(Json(c.Get("/api/v1/devices?refresh=1")).size(), 1u);
    });
    ASSERT_TRUE(Eventually([&] { return searches() == 1; }));
    EXPECT_EQ(Json(client->Get("/api/v1/devices?refresh=1")).size(), 1u);
    first.join();
    EXPECT_EQ(searches(), 1);
}

TEST_F(ServiceTest, ApplyKeepsTheDevicesNameAndReadShowsTheResult) {
    sim::SimDevice& a = AddDevice(2, "Studio-A");
    Start();
    auto r = client->Post(
        "/api/v1/devices/127.0.0.2/apply",
        "[Page_Scale]\n Output_Layouts=5\n[Page_Overlay]\nUmd_Char_Line_1=Cam 1\n", "text/plain");
    ASSERT_TRUE(r);
    EXPECT_EQ(Json(r)["outcome"], "accepted") << r->body;
    EXPECT_EQ(a.Config().Name(), "Studio-A");
    EXPECT_EQ(a.Config().UmdText(0), u"Cam 1");
    r = client->Get("/api/v1/devices/127.0.0.2");
    ASSERT_TRUE(r);
    const json config = Json(r);
    EXPECT_EQ(config["output_layout"], 5);
    EXPECT_EQ(config["device_name"], "Studio-A");
    // The configuration as read goes back unchanged, with one change.
    json changed = config;
    changed["umd_text"][3] = "Cam 4";
    changed["audio_transparency"][0] = 2;
    r = client->Post("/api/v1/devices/127.0.0.2/apply", changed.dump(), "application/json");
    EXPECT_EQ(Json(r)["outcome"], "accepted") << r->body;
    EXPECT_EQ(a.Config().UmdText(3), u"Cam 4");
    EXPECT_EQ(a.Config().UmdText(0), u"Cam 1");
    EXPECT_EQ(a.Config().block[187 + 4], 2); // transparency of input 0 (block 187 + 6 i + 4)
}

TEST_F(ServiceTest, TslV50AndV31DriveTextsAndTallyColours) {
    sim::SimDevice& a = AddDevice(2, "Studio-A");
    sim::SimDevice& b = AddDevice(3, "Edit-Bay", 2);
    Start(kMap, true);
    SendUdp(V50(1, 0, "CAM 1"));
    SendUdp(V50(2, 0x0004, "CAM 2"));  // text tally red
    SendUdp(V31(3, 0x02, "ROUTER 7")); // tally 2: green
    EXPECT_TRUE(Eventually([&] {
        return a.Config().UmdText(0) == u"CAM 1" && a.Config().UmdText(3) == u"CAM 2" &&
               BackColour(a, 3) == 2 && b.Config().UmdText(1) == u"ROUTER 7" &&
               BackColour(b, 1) == 4;
    }));
    // Amber takes the entry's colour, off its idle colour.
    SendUdp(V50(2, 0x000C, "CAM 2"));
    EXPECT_TRUE(Eventually([&] { return BackColour(a, 3) == 6; }));
    SendUdp(V50(2, 0x0000, "CAM 2"));
    SendUdp(V31(3, 0x00, "ROUTER 7"));
    EXPECT_TRUE(Eventually([&] { return BackColour(a, 3) == 15 && BackColour(b, 1) == 1; }));
    // An entry without tally leaves the background alone.
    EXPECT_EQ(BackColour(a, 0), sim::DeviceConfig::Sample("x").block[27 + 3]);
}

TEST_F(ServiceTest, TcpStreamDrivesLabels) {
    sim::SimDevice& a = AddDevice(2, "Studio-A");
    Start(kMap, true);
    const RawSocket s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(service->TslTcpPort());
    to.sin_addr.s_addr = htonl(0x7F000001);
    ASSERT_EQ(connect(s, reinterpret_cast<const sockaddr*>(&to), sizeof to), 0);
    // DLE STX, then the packet with its 0xFE doubled: text "A\xFE" in UTF-16 is 41 00 FE 00.
    const Bytes wire = {0xFE, 0x02, 0x0E, 0x00, 0x00, 0x01, 0x00, 0x00, 0x01, 0x00,
                        0x00, 0x00, 0x04, 0x00, 0x41, 0x00, 0xFE, 0xFE, 0x00};
    // Sent in two pieces, split inside the stuffed pair.
    ASSERT_EQ(SendRaw(s, wire.data(), 17), 17);
    ASSERT_EQ(SendRaw(s, wire.data() + 17, wire.size() - 17), 2);
    EXPECT_TRUE(Eventually([&] { return a.Config().UmdText(0) == u"A\u00FE"; }));
    // A second sender that connects and stays silent holds nothing up, and a sender that
    // closes its connection leaves the others working.
    const RawSocket quiet = socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_EQ(connect(quiet, reinterpret_cast<const sockaddr*>(&to), sizeof to), 0);
    SendUdp(V50(1, 0, "UDP"));
    EXPECT_TRUE(Eventually([&] { return a.Config().UmdText(0) == u"UDP"; }));
    CloseRaw(s);
    const Bytes again = {0xFE, 0x02, 0x0B, 0x00, 0x00, 0x00, 0x00, 0x00,
                         0x01, 0x00, 0x00, 0x00, 0x01, 0x00, 'Q'};
    ASSERT_EQ(SendRaw(quiet, again.data(), again.size()), static_cast<long>(again.size()));
    EXPECT_TRUE(Eventually([&] { return a.Config().UmdText(0) == u"Q"; }));
    CloseRaw(quiet);
}

TEST_F(ServiceTest, BurstsAreCoalescedAndEndWithTheNewestText) {
    sim::SimDevice& a = AddDevice(2, "Studio-A");
    Start(kMap, true);
    // The first change goes at once; the burst after it waits out the interval.
    SendUdp(V50(1, 0, "L0"));
    ASSERT_TRUE(Eventually([&] { return a.Config().UmdText(0) == u"L0"; }));
    for (int i = 1; i < 50; ++i)
        SendUdp(V50(1, 0, "L" + std::to_string(i)));
    EXPECT_TRUE(Eventually([&] { return a.Config().UmdText(0) == u"L49"; }));
    // Far fewer sends than changes. The 100 ms between two sends of a line is held by the
    // coalescer's own tests on explicit times: measured where the device receives them, the
    // gap also carries the delays of a loaded machine.
    const auto texts = Texts();
    EXPECT_GE(texts.size(), 2u);
    EXPECT_LT(texts.size(), 10u);
}

TEST_F(ServiceTest, AnUnchangedLabelIsNotSentAgain) {
    sim::SimDevice& a = AddDevice(2, "Studio-A");
    Start(kMap, true);
    SendUdp(V50(1, 0, "SAME"));
    ASSERT_TRUE(Eventually([&] { return a.Config().UmdText(0) == u"SAME"; }));
    // Switchers repeat every label over and over; a changed one afterwards shows that the
    // repeats were received and passed over.
    SendUdp(V50(1, 0, "SAME"));
    SendUdp(V50(1, 0, "SAME"));
    SendUdp(V50(1, 0, "NEXT"));
    ASSERT_TRUE(Eventually([&] { return a.Config().UmdText(0) == u"NEXT"; }));
    EXPECT_EQ(Texts().size(), 2u);
}

TEST_F(ServiceTest, LongLabelsAreCutToSixteenUnitsNeverInsideAPair) {
    sim::SimDevice& a = AddDevice(2, "Studio-A");
    Start(kMap, true);
    // UTF-16 text: 15 letters, then a pair that would straddle the limit.
    Bytes p = {0x2E, 0x00, 0x00, 0x01, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x24, 0x00};
    for (int i = 0; i < 15; ++i)
        p.insert(p.end(), {static_cast<std::uint8_t>('A' + i), 0x00});
    p.insert(p.end(), {0x3C, 0xD8, 0xA5, 0xDF, 0x5A, 0x00});
    SendUdp(p);
    EXPECT_TRUE(Eventually([&] { return a.Config().UmdText(0) == u"ABCDEFGHIJKLMNO"; }));
}

TEST_F(ServiceTest, SearchAndExchangesTakeTurnsAtPort7000) {
    sim::SimDevice& a = AddDevice(2, "Studio-A");
    Start();
    std::thread search([&] {
        httplib::Client c("127.0.0.1", service->HttpPort());
        c.set_read_timeout(10, 0);
        const auto r = c.Get("/api/v1/devices?refresh=1");
        EXPECT_TRUE(r && r->status == 200 && Json(r).size() == 1u);
    });
    for (int i = 0; i < 16; ++i) {
        const auto r = client->Put("/api/v1/devices/127.0.0.2/settings/output_layout",
                                   "{\"value\": " + std::to_string(i) + "}", "application/json");
        ASSERT_TRUE(r);
        EXPECT_EQ(Json(r)["outcome"], "accepted") << i;
    }
    search.join();
    EXPECT_EQ(a.Config().block[2], 15);
}

TEST_F(ServiceTest, Port7000HeldByAnotherProgramIsSaidPlainly) {
    AddDevice(2, "Studio-A");
    Start();
    ASSERT_EQ(client->Get("/api/v1/devices/127.0.0.2")->status, 200);
    // Another program binds port 7000 on every address without sharing it (the simulated
    // devices, which share theirs, go first).
    host.Stop();
    const RawSocket other = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in any{};
    any.sin_family = AF_INET;
    any.sin_port = htons(7000);
    ASSERT_EQ(bind(other, reinterpret_cast<const sockaddr*>(&any), sizeof any), 0);
    auto r = client->Put("/api/v1/devices/127.0.0.2/settings/output_layout", R"({"value": 3})",
                         "application/json");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 503);
    EXPECT_EQ(Json(r)["error"], "port 7000 is in use by another program");
    EXPECT_EQ(Json(r)["outcome"], "not sent");
    r = client->Get("/api/v1/devices/127.0.0.9");
    EXPECT_EQ(r->status, 503);
    // Once it lets go, requests leave again (and the stopped device does not answer them).
    CloseRaw(other);
    r = client->Put("/api/v1/devices/127.0.0.2/umd/0/text", R"({"text": "A"})", "application/json");
    EXPECT_EQ(Json(r)["outcome"], "no answer");
}

} // namespace
} // namespace kx::service::test
