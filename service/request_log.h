#pragma once
// One line on standard error for every HTTP request and every send a TSL label caused, with
// what came of it, so that an operator can follow what automation did to the devices.
#include <string>
#include <string_view>

#include "service/coalescer.h"
#include "service/device_port.h"

namespace kx::service {

// "<method> <path> from <peer>: <status> <what>", e.g.
// http PUT /api/v1/devices/127.0.0.2/umd/0/text from 127.0.0.1: 200 accepted status 0 12 ms
void LogRequest(std::string_view method, std::string_view path, std::string_view peer, int status,
                std::string_view what);

// tsl 127.0.0.2 line 0 text "CAM 1": accepted status 0 12 ms
void LogLabelSend(const LabelSend& send, const JobResult& result);

// "accepted status 0 12 ms"
std::string ResultText(const JobResult& result);

// Text from outside, made safe for one log line: control characters become '?'.
std::string Printable(std::string_view text);

} // namespace kx::service
