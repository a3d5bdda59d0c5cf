#include "service/request_log.h"

#include "platform/log.h"
#include "platform/text.h"
#include "service/dotted_quad.h"

namespace kx::service {
namespace {

std::string LabelText(const LabelSend& send) {
    if (const auto* text = std::get_if<UmdTextJob>(&send.job))
        return "text \"" + Printable(platform::Utf16ToUtf8(text->text)) + "\"";
    if (const auto* colour = std::get_if<LineValueJob>(&send.job))
        return "back colour " + std::to_string(colour->value);
    return "?";
}

} // namespace

std::string Printable(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    return out;
}

std::string ResultText(const JobResult& result) {
    if (result.outcome == FleetOutcome::NotSent)
        return std::string(OutcomeWord(result.outcome)) + ": " + result.problem;
    return std::string(OutcomeWord(result.outcome)) + " status " + std::to_string(result.status) +
           " " + std::to_string(result.round_trip_ms) + " ms";
}

void LogRequest(std::string_view method, std::string_view path, std::string_view peer, int status,
                std::string_view what) {
    platform::Log("http %s %s from %s: %d %s\n", Printable(method).c_str(), Printable(path).c_str(),
                  Printable(peer).c_str(), status, Printable(what).c_str());
}

void LogLabelSend(const LabelSend& send, const JobResult& result) {
    platform::Log("tsl %s line %d %s: %s\n", DottedQuad(send.slot.ip).c_str(), send.slot.line,
                  LabelText(send).c_str(), ResultText(result).c_str());
}

} // namespace kx::service
