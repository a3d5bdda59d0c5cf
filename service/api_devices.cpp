// The resources of one device, and the device list.
#include <nlohmann/json.hpp>

#include "link/read_all.h"
#include "model/config_json.h"
#include "service/api.h"
#include "service/dotted_quad.h"
#include "service/openapi.h"
#include "service/request_body.h"
#include "service/request_log.h"

namespace kx::service {
namespace {

constexpr int kNotFound = 404;
constexpr int kGatewayTimeout = 504;

ApiResponse JsonResponse(const nlohmann::ordered_json& doc, std::string summary) {
    ApiResponse r;
    r.body = JsonText(doc, 2);
    r.summary = std::move(summary);
    return r;
}

// A path segment that names no line, slot or field: there is no such resource.
std::optional<std::uint8_t> SmallNumber(const std::string& text, std::uint8_t min,
                                        std::uint8_t max) {
    if (text.size() != 1 || text[0] < '0' + min || text[0] > '0' + max)
        return std::nullopt;
    return static_cast<std::uint8_t>(text[0] - '0');
}

// Runs the jobs in order and stops at the first that is not accepted; the answer is that
// one's outcome (or the last's), with the time of all of them.
JobResult RunInOrder(DevicePort& port, std::uint32_t ip, const std::vector<Job>& jobs) {
    JobResult total{FleetOutcome::Accepted, 0, 0, std::nullopt, std::nullopt, {}};
    for (const Job& job : jobs) {
        const JobResult r = RunJob(port, ip, job);
        total.outcome = r.outcome;
        total.status = r.status;
        total.round_trip_ms += r.round_trip_ms;
        total.problem = r.problem;
        if (r.outcome != FleetOutcome::Accepted)
            break;
    }
    return total;
}

// The set-all block cannot carry the audio meters' transparency and combination; where the
// configuration asks for other values than the device has, they follow as their own commands.
std::vector<LineValueJob> AudioFollowUps(const kx7214_page_data& device,
                                         const kx7214_page_data& wanted) {
    std::vector<LineValueJob> jobs;
    for (std::uint8_t i = 0; i < kLineCount; ++i) {
        if (wanted.kx7214_audio_transparency[i] != device.kx7214_audio_transparency[i])
            jobs.push_back(
                LineValueJob{CMD_SET_AUDIO_TRANSPARENCY, i, wanted.kx7214_audio_transparency[i]});
        if (wanted.kx7214_audio_combination[i] != device.kx7214_audio_combination[i])
            jobs.push_back(
                LineValueJob{CMD_SET_AUDIO_COMBINATION, i, wanted.kx7214_audio_combination[i]});
    }
    return jobs;
}

} // namespace

ApiResponse Api::OpenApi(const ApiRequest&, const Params&) {
    ApiResponse r;
    r.body = std::string(OpenApiDocument());
    r.summary = "openapi document";
    return r;
}

ApiResponse Api::ListDevices(const ApiRequest& request, const Params&) {
    auto list = nlohmann::ordered_json::array();
    const std::vector<DeviceListing> devices = m_port.Devices(request.refresh);
    for (std::size_t i = 0; i < devices.size(); ++i) {
        const DeviceListing& d = devices[i];
        list.push_back(nlohmann::ordered_json{{"index", i},
                                              {"text", d.text},
                                              {"ip", DottedQuad(d.ip)},
                                              {"dev_type", d.dev_type},
                                              {"dev_addr", d.dev_addr}});
    }
    return JsonResponse(list, std::to_string(devices.size()) + " devices");
}

ApiResponse Api::ReadDevice(const ApiRequest&, const Params& p) {
    return OnDevice(p[0], [&](std::uint32_t ip) {
        const JobResult r = RunJob(m_port, ip, ReadAllJob{});
        if (r.outcome == FleetOutcome::NotSent)
            return NotSentResponse(r);
        if (r.outcome != FleetOutcome::Accepted || !r.config) {
            ApiResponse timeout = ErrorResponse(kGatewayTimeout, "no answer from " + p[0]);
            timeout.body = JsonText(nlohmann::ordered_json{{"error", timeout.summary},
                                                           {"outcome", OutcomeWord(r.outcome)},
                                                           {"ms", r.round_trip_ms}});
            return timeout;
        }
        return JsonResponse(ConfigToJson(*r.config), ResultText(r));
    });
}

ApiResponse Api::PutSetting(const ApiRequest& request, const Params& p) {
    const CommandInfo* field = FindSetting(p[1]);
    if (field == nullptr)
        return ErrorResponse(kNotFound, "no setting named \"" + p[1] + "\"");
    const SettingValue v = ParseSettingBody(*field, request.body);
    if (field->code == CMD_SET_UMD_BACK_COLOR && m_labels != nullptr)
        if (const auto ip = ParseDeviceIp(p[0]))
            m_labels->Forget({*ip, v.line, LabelPart::BackColour});
    if (field->PerLine())
        return Write(p[0], LineValueJob{field->code, v.line, v.value});
    return Write(p[0], ValueJob{field->code, v.value});
}

ApiResponse Api::PutUmdText(const ApiRequest& request, const Params& p) {
    const auto line = SmallNumber(p[1], 0, kLineCount - 1);
    if (!line)
        return ErrorResponse(kNotFound, "no UMD line \"" + p[1] + "\" (lines are 0 to 3)");
    std::u16string text = ParseUmdTextBody(request.body);
    if (const auto ip = ParseDeviceIp(p[0]); ip && m_labels != nullptr)
        m_labels->Forget({*ip, *line, LabelPart::Text});
    return Write(p[0], UmdTextJob{*line, std::move(text)});
}

ApiResponse Api::PutName(const ApiRequest& request, const Params& p) {
    return Write(p[0], NameJob{ParseNameBody(request.body)});
}

ApiResponse Api::PostCustom(const ApiRequest&, const Params& p) {
    const auto slot = SmallNumber(p[1], 1, 2);
    if (!slot)
        return ErrorResponse(kNotFound, "no custom slot \"" + p[1] + "\" (slots are 1 and 2)");
    return Write(p[0], ValueJob{CMD_SAVE_CUSTOM, *slot});
}

ApiResponse Api::PutNetwork(const ApiRequest& request, const Params& p) {
    return Write(p[0], NetworkJob{ParseNetworkBody(request.body)});
}

// Like the tool's apply, the device is read first: the set-all block carries the device name,
// which a settings file does not, and a JSON configuration may name only some settings.
ApiResponse Api::PostApply(const ApiRequest& request, const Params& p) {
    const ApplyBody body(request.content_type, request.body);
    return OnDevice(p[0], [&](std::uint32_t ip) {
        const JobResult read = RunJob(m_port, ip, ReadAllJob{});
        if (read.outcome != FleetOutcome::Accepted || !read.config)
            return WriteResponse(read);
        SessionState wanted = *read.config;
        body.ApplyTo(wanted);
        PackAllDataBlock(wanted);
        AllConfigJob all;
        std::copy(wanted.m_all_data_block.begin(), wanted.m_all_data_block.end(),
                  all.block.begin());
        std::vector<Job> jobs(1, std::move(all));
        for (const LineValueJob& j :
             AudioFollowUps(read.config->m_all_kx7214_page_data, wanted.m_all_kx7214_page_data))
            jobs.emplace_back(j);
        ForgetLabels(ip);
        JobResult result = RunInOrder(m_port, ip, jobs);
        result.round_trip_ms += read.round_trip_ms;
        return WriteResponse(result);
    });
}

} // namespace kx::service
