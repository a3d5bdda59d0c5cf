// Every route through a real HTTP client: what reaches the devices and what the client is told.
#include <thread>

#include "link/config_layout.h"
#include "tests/service/http_fixture.h"

namespace kx::service::test {
namespace {

using nlohmann::json;

const char* kDev = "/api/v1/devices/127.0.0.2";

template <class T> T Only(FakePort& port) {
    const auto jobs = port.Jobs();
    EXPECT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs.at(0).first, 0x7F000002u);
    return std::get<T>(jobs.at(0).second);
}

TEST_F(HttpTest, DeviceListIsCachedUntilRefreshIsAsked) {
    Start();
    auto r = Get("/api/v1/devices");
    ASSERT_EQ(Status(r), 200);
    EXPECT_EQ(Json(r), json::parse(R"([{"index": 0, "text": "TRQ-9_2", "ip": "127.0.0.2",
                                        "dev_type": 163, "dev_addr": 1}])"));
    Get("/api/v1/devices");
    EXPECT_EQ(port.searches, 1);
    Get("/api/v1/devices?refresh=1");
    EXPECT_EQ(port.searches, 2);
    Get("/api/v1/devices?refresh=0");
    EXPECT_EQ(port.searches, 2);
}

TEST_F(HttpTest, ReadGivesTheConfigurationJson) {
    port.device.m_device_name = u"Studio-A";
    port.device.m_all_kx7214_page_data.kx7214_output_layout = 12;
    port.device.m_umd_text = {u"CAM 1", u"", u"", u"\u00E9"};
    Start();
    const auto r = Get(kDev);
    ASSERT_EQ(Status(r), 200);
    const json j = Json(r);
    EXPECT_EQ(j["device_name"], "Studio-A");
    EXPECT_EQ(j["output_layout"], 12);
    EXPECT_EQ(j["umd_text"], json::parse(R"(["CAM 1", "", "", "\u00e9"])"));
    Only<ReadAllJob>(port);
    // A device that does not answer the read: 504, with the outcome.
    port.read_result = JobResult{FleetOutcome::NoAnswer, 0, 1000, std::nullopt, std::nullopt, {}};
    const auto silent = Get(kDev);
    ASSERT_EQ(Status(silent), 504);
    EXPECT_EQ(Json(silent)["outcome"], "no answer");
}

TEST_F(HttpTest, SettingsGoOutWithTheirCommandAndLine) {
    Start();
    auto r = Put(std::string(kDev) + "/settings/output_layout", R"({"value": 12})");
    ASSERT_EQ(Status(r), 200);
    EXPECT_EQ(Json(r), json::parse(R"({"outcome": "accepted", "status": 0, "ms": 7})"));
    const auto v = Only<ValueJob>(port);
    EXPECT_EQ(v.code, 0x94);
    EXPECT_EQ(v.value, 12);
}

TEST_F(HttpTest, PerInputSettingsNeedTheirLineFromZeroToThree) {
    Start();
    ASSERT_EQ(Status(Put(std::string(kDev) + "/settings/umd_enable", R"({"value": 0, "line": 0})")),
              200);
    ASSERT_EQ(
        Status(Put(std::string(kDev) + "/settings/input_postion", R"({"line": 3, "value": 2})")),
        200);
    const auto jobs = port.Jobs();
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_EQ(std::get<LineValueJob>(jobs[0].second), (LineValueJob{0x95, 0, 0}));
    EXPECT_EQ(std::get<LineValueJob>(jobs[1].second), (LineValueJob{0xA2, 3, 2}));
}

TEST_F(HttpTest, AudioPositionTakesTheDevicesOwnValuesOnly) {
    Start();
    EXPECT_EQ(
        Status(Put(std::string(kDev) + "/settings/audio_postion", R"({"value": 2, "line": 2})")),
        200);
    EXPECT_EQ(
        Status(Put(std::string(kDev) + "/settings/audio_postion", R"({"value": 1, "line": 2})")),
        400);
    EXPECT_EQ(std::get<LineValueJob>(port.Jobs().at(0).second), (LineValueJob{0x9B, 2, 2}));
}

TEST_F(HttpTest, OutcomesOtherThanAcceptedAreStill200) {
    Start();
    port.result = JobResult{FleetOutcome::Refused, 3, 4, std::nullopt, std::nullopt, {}};
    auto r = Put(std::string(kDev) + "/settings/border_enable", R"({"value": 1})");
    ASSERT_EQ(Status(r), 200);
    EXPECT_EQ(Json(r), json::parse(R"({"outcome": "refused", "status": 3, "ms": 4})"));
    port.result = JobResult{FleetOutcome::NoAnswer, 0, 1000, std::nullopt, std::nullopt, {}};
    r = Post(std::string(kDev) + "/custom/1", "");
    ASSERT_EQ(Status(r), 200);
    EXPECT_EQ(Json(r), json::parse(R"({"outcome": "no answer", "status": 0, "ms": 1000})"));
}

TEST_F(HttpTest, UmdTextNameCustomAndNetwork) {
    Start();
    ASSERT_EQ(Status(Put(std::string(kDev) + "/umd/3/text", R"({"text": "CAM \u00e9 1"})")), 200);
    ASSERT_EQ(Status(Put(std::string(kDev) + "/umd/0/text", R"({"text": ""})")), 200);
    ASSERT_EQ(Status(Put(std::string(kDev) + "/name", R"({"name": "Studio-A"})")), 200);
    ASSERT_EQ(Status(Post(std::string(kDev) + "/custom/2", "")), 200);
    ASSERT_EQ(Status(Put(std::string(kDev) + "/network",
                         R"({"ip": "192.168.1.10", "mask": "255.255.255.0",
                             "gateway": "192.168.1.1"})")),
              200);
    const auto jobs = port.Jobs();
    ASSERT_EQ(jobs.size(), 5u);
    EXPECT_EQ(std::get<UmdTextJob>(jobs[0].second), (UmdTextJob{3, u"CAM \u00E9 1"}));
    EXPECT_EQ(std::get<UmdTextJob>(jobs[1].second), (UmdTextJob{0, u""}));
    EXPECT_EQ(std::get<NameJob>(jobs[2].second), (NameJob{u"Studio-A"}));
    EXPECT_EQ(std::get<ValueJob>(jobs[3].second), (ValueJob{0xA3, 2}));
    EXPECT_EQ(std::get<NetworkJob>(jobs[4].second).config,
              (std::array<std::uint8_t, 12>{0xC0, 0xA8, 0x01, 0x0A, 0xFF, 0xFF, 0xFF, 0x00, 0xC0,
                                            0xA8, 0x01, 0x01}));
}

TEST_F(HttpTest, TextLimitsCountUtf16UnitsAndNameBytes) {
    Start();
    // 16 units fit; 17 do not; a pair counts two.
    EXPECT_EQ(Status(Put(std::string(kDev) + "/umd/1/text", R"({"text": "ABCDEFGHIJKLMNOP"})")),
              200);
    EXPECT_EQ(Status(Put(std::string(kDev) + "/umd/1/text", R"({"text": "ABCDEFGHIJKLMNOPQ"})")),
              400);
    EXPECT_EQ(Status(Put(std::string(kDev) + "/umd/1/text",
                         R"({"text": "ABCDEFGHIJKLMNO\ud83c\udfa5"})")),
              400);
    EXPECT_EQ(Status(Put(std::string(kDev) + "/name", R"({"name": "0123456789abcdef"})")), 200);
    EXPECT_EQ(Status(Put(std::string(kDev) + "/name", R"({"name": "0123456789abcdefg"})")), 400);
    EXPECT_EQ(port.Jobs().size(), 2u);
}

// The block travels as the set-all payload: output layout at byte 2, the name from byte 10,
// UMD line i from 27 + 40 i (text length at +7, text at +8), audio meter i from 187 + 6 i.
TEST_F(HttpTest, ApplyJsonReadsFirstAndKeepsWhatTheBodyDoesNotName) {
    port.device.m_device_name = u"Edit-Bay";
    port.device.m_all_kx7214_page_data.kx7214_border_color = 3;
    port.device.m_umd_text = {u"A", u"B", u"C", u"D"};
    Start();
    const auto r = Post(std::string(kDev) + "/apply",
                        R"({"output_layout": 12, "umd_text": ["SDI 1", "", "", ""],
                            "audio_postion": [0, 1, 2, 0], "firmware_version": "Ver 1.6.2.3"})");
    ASSERT_EQ(Status(r), 200);
    EXPECT_EQ(Json(r)["outcome"], "accepted");
    EXPECT_EQ(Json(r)["ms"], 12); // read 5 + set-all 7
    const auto jobs = port.Jobs();
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_TRUE(std::holds_alternative<ReadAllJob>(jobs[0].second));
    const auto& b = std::get<AllConfigJob>(jobs[1].second).block;
    EXPECT_EQ(b[1], 3);  // border colour from the device
    EXPECT_EQ(b[2], 12); // output layout from the body
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[10])), "Edit-Bay");
    EXPECT_EQ(b[27 + 7], 10);
    EXPECT_EQ(b[27 + 8], 'S');
    EXPECT_EQ(b[27 + 40 + 7], 0);
    EXPECT_EQ(b[187 + 6 * 1 + 1], 2); // 1 stands for Right and travels as 2
    EXPECT_EQ(b[187 + 6 * 2 + 1], 2);
}

TEST_F(HttpTest, ApplyJsonSendsTransparencyAndCombinationTheBlockCannotCarry) {
    port.device.m_all_kx7214_page_data.kx7214_audio_transparency[1] = 1;
    Start();
    const auto r =
        Post(std::string(kDev) + "/apply",
             R"({"audio_transparency": [0, 2, 0, 0], "audio_combination": [0, 0, 0, 1]})");
    ASSERT_EQ(Status(r), 200);
    const auto jobs = port.Jobs();
    ASSERT_EQ(jobs.size(), 4u);
    EXPECT_EQ(std::get<LineValueJob>(jobs[2].second), (LineValueJob{0x9C, 1, 2}));
    EXPECT_EQ(std::get<LineValueJob>(jobs[3].second), (LineValueJob{0x9D, 3, 1}));
    EXPECT_EQ(Json(r)["ms"], 5 + 7 * 3);
}

TEST_F(HttpTest, ApplySettingsFileText) {
    port.device.m_device_name = u"Edit-Bay";
    Start();
    const auto r = Post(std::string(kDev) + "/apply",
                        "[Page_Scale]\r\n Output_Layouts=7\r\n[Page_Overlay]\r\n"
                        "Umd_Char_Line_2=Cam 2\r\n",
                        "text/plain; charset=utf-8");
    ASSERT_EQ(Status(r), 200);
    const auto jobs = port.Jobs();
    ASSERT_EQ(jobs.size(), 2u);
    const auto& b = std::get<AllConfigJob>(jobs[1].second).block;
    EXPECT_EQ(b[2], 7);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[10])), "Edit-Bay");
    EXPECT_EQ(b[27 + 40 + 7], 10);
    EXPECT_EQ(b[27 + 40 + 8], 'C');
    // A text that holds none of the file's keys would wipe the device: refused.
    EXPECT_EQ(Status(Post(std::string(kDev) + "/apply", "hello", "text/plain")), 400);
    EXPECT_EQ(port.Jobs().size(), 2u);
}

TEST_F(HttpTest, ApplyWithoutAReadGoesNoFurther) {
    Start();
    port.read_result = JobResult{FleetOutcome::NoAnswer, 0, 1000, std::nullopt, std::nullopt, {}};
    const auto r = Post(std::string(kDev) + "/apply", R"({"output_layout": 1})");
    ASSERT_EQ(Status(r), 200);
    EXPECT_EQ(Json(r), json::parse(R"({"outcome": "no answer", "status": 0, "ms": 1000})"));
    EXPECT_EQ(port.Jobs().size(), 1u);
}

TEST_F(HttpTest, BadBodiesAre400AndReachNoDevice) {
    Start();
    const std::string s = std::string(kDev) + "/settings/";
    for (const auto& [path, body] : std::vector<std::pair<std::string, std::string>>{
             {s + "output_layout", "{"},
             {s + "output_layout", ""},
             {s + "output_layout", "[]"},
             {s + "output_layout", R"({"value": 16})"},
             {s + "output_layout", R"({"value": -1})"},
             {s + "output_layout", R"({"value": 1.5})"},
             {s + "output_layout", R"({"value": "1"})"},
             {s + "output_layout", R"({"value": true})"},
             {s + "output_layout", R"({"value": 1e2})"},
             {s + "output_layout", R"({"value": 1, "line": 0})"},
             {s + "output_layout", R"({"value": 1, "colour": 2})"},
             {s + "output_layout", R"({})"},
             {s + "umd_text_color", R"({"value": 1})"},
             {s + "umd_text_color", R"({"value": 1, "line": 4})"},
             {std::string(kDev) + "/umd/0/text", R"({"text": 5})"},
             {std::string(kDev) + "/umd/0/text", R"({"txt": "A"})"},
             {std::string(kDev) + "/name", R"({"name": null})"},
             {std::string(kDev) + "/network",
              R"({"ip": "0.0.0.0", "mask": "255.0.0.0", "gateway": "10.0.0.1"})"},
             {std::string(kDev) + "/network",
              R"({"ip": "10.0.0.01", "mask": "255.0.0.0", "gateway": "10.0.0.1"})"},
             {std::string(kDev) + "/network", R"({"ip": "10.0.0.2", "mask": "255.0.0.0"})"},
             {std::string(kDev) + "/network",
              R"({"ip": "10.0.0.2", "mask": "255.0.0.0", "gateway": "10.0.0.1", "dns": "x"})"},
         }) {
        EXPECT_EQ(Status(Put(path, body)), 400) << path << " " << body;
    }
    for (const std::string& body :
         {std::string("{"), std::string(R"({"output_layout": 16})"),
          std::string(R"({"umd_enable": [1, 1, 1]})"), std::string(R"({"umd_text": "A"})"),
          std::string(R"({"umd_text": ["A", "B", "C", "ABCDEFGHIJKLMNOPQ"]})"),
          std::string(R"({"device_name": 3})"), std::string(R"({"layout": 1})"),
          std::string(R"({"control_mode": "x"})"), std::string("[1]")}) {
        EXPECT_EQ(Status(Post(std::string(kDev) + "/apply", body)), 400) << body;
    }
    EXPECT_TRUE(port.Jobs().empty());
}

TEST_F(HttpTest, ErrorMessagesSayWhatIsWrong) {
    Start();
    auto r = Put(std::string(kDev) + "/settings/output_layout", R"({"value": 16})");
    EXPECT_EQ(Json(r)["error"], "the body: \"value\" must be an integer 0 to 15");
    r = Post(std::string(kDev) + "/apply", R"({"umd_enable": [1, 1, 1, 2]})");
    EXPECT_EQ(Json(r)["error"], "\"umd_enable\": must be 0 to 1");
    r = Put(std::string(kDev) + "/settings/umd_enable", R"({"value": 1})");
    EXPECT_EQ(Json(r)["error"], "the body: \"line\" is missing");
}

TEST_F(HttpTest, UnknownDevicesFieldsLinesSlotsAndPathsAre404) {
    Start();
    EXPECT_EQ(Status(Get("/api/v1/devices/127.0.0.7")), 404);
    EXPECT_EQ(Status(Put("/api/v1/devices/127.0.0.7/settings/output_layout", R"({"value": 1})")),
              404);
    EXPECT_EQ(Status(Put(std::string(kDev) + "/settings/layout", R"({"value": 1})")), 404);
    EXPECT_EQ(Status(Put(std::string(kDev) + "/umd/4/text", R"({"text": "A"})")), 404);
    EXPECT_EQ(Status(Put(std::string(kDev) + "/umd/00/text", R"({"text": "A"})")), 404);
    EXPECT_EQ(Status(Post(std::string(kDev) + "/custom/0", "")), 404);
    EXPECT_EQ(Status(Post(std::string(kDev) + "/custom/3", "")), 404);
    EXPECT_EQ(Status(Get("/api/v2/devices")), 404);
    EXPECT_EQ(Status(Get("/")), 404);
    EXPECT_EQ(Status(Get("/api/v1/devices/")), 404);
    EXPECT_TRUE(port.Jobs().empty());
    // A malformed address is bad input rather than an unknown device; bytes that are not
    // UTF-8 in it still give a JSON answer.
    EXPECT_EQ(Status(Get("/api/v1/devices/127.0.0.300")), 400);
    EXPECT_EQ(Status(Get("/api/v1/devices/%FF%FE")), 400);
    EXPECT_EQ(Status(Get("/api/v1/%C3%28")), 404);
    EXPECT_EQ(Status(Get("/api/v1/devices/255.255.255.255")), 400);
}

TEST_F(HttpTest, WrongMethodIs405WithTheAllowedOnes) {
    Start();
    const auto r = client->Delete(kDev, headers);
    ASSERT_EQ(Status(r), 405);
    EXPECT_EQ(r->get_header_value("Allow"), "GET");
    EXPECT_EQ(Status(Get(std::string(kDev) + "/name")), 405);
    const auto options = client->Options(kDev, headers);
    ASSERT_EQ(Status(options), 405);
    EXPECT_EQ(options->get_header_value("Allow"), "GET");
    // HEAD is GET without the body.
    const auto head = client->Head("/api/v1/devices", headers);
    ASSERT_TRUE(head);
    EXPECT_EQ(head->status, 200);
}

TEST_F(HttpTest, BodiesOver64KiBAre413) {
    Start();
    const std::string big(64 * 1024 + 1, ' ');
    const auto r = Post(std::string(kDev) + "/apply", big);
    ASSERT_EQ(Status(r), 413);
    // Exactly 64 KiB is read (and refused only for what it holds).
    const std::string fits = R"({"output_layout": 1})" + std::string(64 * 1024 - 20, ' ');
    ASSERT_EQ(fits.size(), 64u * 1024);
    EXPECT_EQ(Status(Post(std::string(kDev) + "/apply", fits)), 200);
    // curl -d labels its body as a form, which the library keeps to 8 KiB: say so.
    const auto form =
        Post(std::string(kDev) + "/apply", R"({"output_layout": 1})" + std::string(9000, ' '),
             "application/x-www-form-urlencoded");
    ASSERT_EQ(Status(form), 413);
    EXPECT_NE(Json(form)["error"].get<std::string>().find("Content-Type: application/json"),
              std::string::npos);
}

TEST_F(HttpTest, AFullDeviceQueueIs429WithRetryAfterOtherDevicesGoOn) {
    port.Add(0x7F000003, 1);
    Start();
    port.Hold();
    std::vector<std::thread> waiting;
    std::vector<int> statuses(kQueuePerDevice);
    for (int i = 0; i < kQueuePerDevice; ++i)
        waiting.emplace_back([&, i] {
            httplib::Client c("127.0.0.1", service->HttpPort());
            c.set_read_timeout(10, 0);
            const auto r =
                c.Post((std::string(kDev) + "/custom/1").c_str(), "", "application/json");
            statuses[static_cast<std::size_t>(i)] = r ? r->status : -1;
        });
    port.WaitUntilHeld(kQueuePerDevice);
    const auto r = Post(std::string(kDev) + "/custom/1", "");
    EXPECT_EQ(Status(r), 429);
    EXPECT_EQ(r->get_header_value("Retry-After"), "1");
    port.Release();
    for (auto& t : waiting)
        t.join();
    EXPECT_EQ(statuses, std::vector<int>(kQueuePerDevice, 200));
    // The queue empties as the requests are answered.
    EXPECT_EQ(Status(Post(std::string(kDev) + "/custom/1", "")), 200);
    EXPECT_EQ(Status(Post("/api/v1/devices/127.0.0.3/custom/1", "")), 200);
}

TEST_F(HttpTest, TokenIsRequiredOnEveryRequestWhenGiven) {
    Start("s3cret-token");
    EXPECT_EQ(Status(Get("/api/v1/devices")), 401);
    EXPECT_EQ(Status(Get("/api/v1/openapi.json")), 401);
    for (const char* wrong :
         {"Bearer s3cret-toke", "Bearer s3cret-token2", "bearer s3cret-token", "s3cret-token",
          "Bearer ", "Basic czNjcmV0LXRva2Vu", "Bearer  s3cret-token"}) {
        headers = {{"Authorization", wrong}};
        const auto r = Put(std::string(kDev) + "/settings/output_layout", R"({"value": 1})");
        EXPECT_EQ(Status(r), 401) << wrong;
        EXPECT_EQ(r->get_header_value("WWW-Authenticate"), "Bearer");
    }
    EXPECT_TRUE(port.Jobs().empty());
    headers = {{"Authorization", "Bearer s3cret-token"}};
    EXPECT_EQ(Status(Get("/api/v1/devices")), 200);
    EXPECT_EQ(Status(Put(std::string(kDev) + "/settings/output_layout", R"({"value": 1})")), 200);
    // Refused before the body is read: a large body without the token is 401, not 413.
    headers.clear();
    EXPECT_EQ(Status(Post(std::string(kDev) + "/apply", std::string(100000, ' '))), 401);
}

} // namespace
} // namespace kx::service::test
