#include "service/api.h"

#include <nlohmann/json.hpp>

#include "service/dotted_quad.h"
#include "service/http_routes.h"
#include "service/request_body.h"
#include "service/request_log.h"

namespace kx::service {
namespace {

constexpr int kOk = 200;
constexpr int kBadRequest = 400;
constexpr int kNotFound = 404;
constexpr int kMethodNotAllowed = 405;
constexpr int kTooManyRequests = 429;
constexpr int kInternalError = 500;
constexpr int kServiceUnavailable = 503;
// A queue this short empties within a few exchange deadlines.
constexpr const char* kRetryAfterSeconds = "1";

// The methods of the routes whose path fits, for a 405's Allow header.
std::string AllowedMethods(std::string_view path) {
    std::string allowed;
    for (const Route& r : Routes())
        if (MatchPath(r.path, path))
            allowed += (allowed.empty() ? "" : ", ") + std::string(r.method);
    return allowed;
}

} // namespace

std::string JsonText(const nlohmann::ordered_json& doc, int indent) {
    return doc.dump(indent, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

ApiResponse ErrorResponse(int status, const std::string& message) {
    ApiResponse r;
    r.status = status;
    r.body = JsonText({{"error", message}});
    r.summary = message;
    return r;
}

ApiResponse NotSentResponse(const JobResult& result) {
    ApiResponse r = ErrorResponse(kServiceUnavailable, result.problem);
    r.body = JsonText({{"error", result.problem}, {"outcome", OutcomeWord(result.outcome)}});
    return r;
}

ApiResponse WriteResponse(const JobResult& result) {
    // The request never reached the device: that is no answer from it, and no success.
    if (result.outcome == FleetOutcome::NotSent)
        return NotSentResponse(result);
    ApiResponse r;
    r.status = kOk;
    r.body = JsonText(nlohmann::ordered_json{{"outcome", OutcomeWord(result.outcome)},
                                             {"status", result.status},
                                             {"ms", result.round_trip_ms}});
    r.summary = ResultText(result);
    return r;
}

Api::Api(DevicePort& port, LabelSender* labels, int queue_per_device)
    : m_port(port), m_labels(labels), m_admission(queue_per_device) {}

ApiResponse Api::Handle(const ApiRequest& request) {
    try {
        for (const Route& r : Routes()) {
            if (r.method != request.method)
                continue;
            if (auto params = MatchPath(r.path, request.path))
                return (this->*r.handler)(request, *params);
        }
        const std::string allowed = AllowedMethods(request.path);
        if (allowed.empty())
            return ErrorResponse(kNotFound, "no such resource: " + Printable(request.path));
        ApiResponse r = ErrorResponse(kMethodNotAllowed, request.method + " is not allowed here");
        r.headers.emplace_back("Allow", allowed);
        return r;
    } catch (const BodyError& e) {
        return ErrorResponse(kBadRequest, e.message);
    } catch (const std::exception& e) {
        return ErrorResponse(kInternalError, std::string("internal error: ") + e.what());
    }
}

ApiResponse Api::OnDevice(const std::string& ip_text,
                          const std::function<ApiResponse(std::uint32_t ip)>& exchanges) {
    const auto ip = ParseDeviceIp(ip_text);
    if (!ip)
        return ErrorResponse(kBadRequest, "\"" + Printable(ip_text) +
                                              "\" is not a device address (a dotted quad)");
    auto ticket = m_admission.Enter(*ip);
    if (!ticket) {
        ApiResponse r = ErrorResponse(kTooManyRequests, "device " + ip_text + " already has " +
                                                            std::to_string(m_admission.Limit()) +
                                                            " requests waiting; try again shortly");
        r.headers.emplace_back("Retry-After", kRetryAfterSeconds);
        return r;
    }
    std::string problem;
    if (!m_port.Find(*ip, problem))
        return problem.empty() ? ErrorResponse(kNotFound, "no device answers at " + ip_text)
                               : ErrorResponse(kServiceUnavailable, problem);
    return exchanges(*ip);
}

ApiResponse Api::Write(const std::string& ip_text, Job job) {
    return OnDevice(ip_text, [&](std::uint32_t ip) {
        return WriteResponse(RunJob(m_port, ip, std::move(job)));
    });
}

void Api::ForgetLabels(std::uint32_t ip) {
    if (m_labels == nullptr)
        return;
    for (std::uint8_t line = 0; line < kLineCount; ++line)
        for (const LabelPart part : {LabelPart::Text, LabelPart::BackColour})
            m_labels->Forget({ip, line, part});
}

} // namespace kx::service
