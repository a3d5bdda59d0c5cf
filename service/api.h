#pragma once
// The HTTP/JSON interface, apart from the HTTP server itself: a request in, a response out.
// Every write answers {"outcome": "accepted" | "refused" | "no answer", "status": N, "ms": T}
// with 200, because the request was carried out; the outcome says what the device did.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "service/admission.h"
#include "service/device_port.h"
#include "service/label_sender.h"

namespace kx::service {

struct ApiRequest {
    std::string method;
    std::string path; // without the query
    std::string content_type;
    std::string body;
    bool refresh = false; // ?refresh=1
};

struct ApiResponse {
    int status = 200;
    std::string body;
    std::string content_type = "application/json";
    std::vector<std::pair<std::string, std::string>> headers;
    std::string summary; // what the request came to, for the log line
};

// A JSON error object: {"error": message}.
ApiResponse ErrorResponse(int status, const std::string& message);

// JSON text of a document that may carry bytes from outside (a path, a device's name): bytes
// that are not UTF-8 become U+FFFD instead of failing the response.
std::string JsonText(const nlohmann::ordered_json& doc, int indent = -1);

inline constexpr int kQueuePerDevice = 4;

class Api {
public:
    // `labels` may be null (no TSL listener): HTTP writes to a label tell it that the device
    // shows something else now.
    Api(DevicePort& port, LabelSender* labels, int queue_per_device = kQueuePerDevice);

    // Never throws: bad input is a 4xx response.
    ApiResponse Handle(const ApiRequest& request);

    using Params = std::vector<std::string>;
    ApiResponse OpenApi(const ApiRequest&, const Params&);
    ApiResponse ListDevices(const ApiRequest& request, const Params&);
    ApiResponse ReadDevice(const ApiRequest&, const Params& p);
    ApiResponse PutSetting(const ApiRequest& request, const Params& p);
    ApiResponse PutUmdText(const ApiRequest& request, const Params& p);
    ApiResponse PutName(const ApiRequest& request, const Params& p);
    ApiResponse PostApply(const ApiRequest& request, const Params& p);
    ApiResponse PostCustom(const ApiRequest&, const Params& p);
    ApiResponse PutNetwork(const ApiRequest& request, const Params& p);

private:
    // Finds the device, takes its place in the queue and runs `exchanges` on it.
    ApiResponse OnDevice(const std::string& ip_text,
                         const std::function<ApiResponse(std::uint32_t ip)>& exchanges);
    ApiResponse Write(const std::string& ip_text, Job job);
    void ForgetLabels(std::uint32_t ip);

    DevicePort& m_port;
    LabelSender* m_labels;
    Admission m_admission;
};

// {"outcome": ..., "status": ..., "ms": ...}; a request that never left (port 7000 held by
// another program) is 503 with the reason instead.
ApiResponse WriteResponse(const JobResult& result);
ApiResponse NotSentResponse(const JobResult& result);

} // namespace kx::service
