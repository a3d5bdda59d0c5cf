// HTTP request bodies and the mapping file: text from scripts and people, up to 64 KiB.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/log.h"
#include "service/display_map.h"
#include "service/request_body.h"

namespace {

template <class F> void Refusable(F&& parse) {
    try {
        parse();
    } catch (const kx::service::BodyError&) {
        // A refusal with its message is the expected answer to a bad body.
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A settings text logs each UMD text it reads; here that would only fill the output.
    static const bool quiet = (kx::platform::SetLogSink({}), true);
    (void)quiet;
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    Refusable([&] { kx::service::ParseSettingBody(*kx::FindSetting("output_layout"), body); });
    Refusable([&] { kx::service::ParseSettingBody(*kx::FindSetting("audio_postion"), body); });
    Refusable([&] { kx::service::ParseUmdTextBody(body); });
    Refusable([&] { kx::service::ParseNameBody(body); });
    Refusable([&] { kx::service::ParseNetworkBody(body); });
    for (const char* type : {"application/json", "text/plain"}) {
        Refusable([&] {
            const kx::service::ApplyBody apply(type, body);
            kx::SessionState state;
            apply.ApplyTo(state);
        });
    }
    std::string error;
    const auto map = kx::service::ParseDisplayMap(body, error);
    if (!map && error.empty())
        __builtin_trap();
    return 0;
}

extern "C" void KxFuzzSeeds(std::vector<std::vector<std::uint8_t>>* seeds) {
    for (
        const std::string text : {
            R"({"value": 12, "line": 3})",
            R"({"text": "CAM \u00e9 1", "name": "Studio-A"})",
            R"({"ip": "192.168.1.10", "mask": "255.255.255.0", "gateway": "192.168.1.1"})",
            R"({"output_layout": 12, "umd_text": ["A", "B", "C", "D"], "umd_enable": [1, 0, 1, 0]})",
            "[Page_Scale]\n Output_Layouts=7\n[Page_Overlay]\nUmd_Char_Line_1=Cam 1\n",
            R"({"displays": [{"tsl": {"screen": 0, "index": 1}, "device": "127.0.0.2", "line": 0},
                 {"tsl": {"address": 3}, "device": "127.0.0.2", "line": 1, "tally": {"idle": 1}}]})",
        })
        seeds->emplace_back(text.begin(), text.end());
}
