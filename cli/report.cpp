#include "cli/report.h"

#include "cli/exit_status.h"

namespace kx::cli {
namespace {

using Json = nlohmann::ordered_json;

constexpr FleetOutcome kOutcomes[] = {FleetOutcome::Accepted, FleetOutcome::Refused,
                                      FleetOutcome::NoAnswer, FleetOutcome::NotSent};

std::string JsonKey(FleetOutcome outcome) {
    std::string key(OutcomeWord(outcome));
    std::replace(key.begin(), key.end(), ' ', '_');
    return key;
}

template <typename T> Json OrNull(const std::optional<T>& value) {
    return value ? Json(*value) : Json(nullptr);
}

} // namespace

std::string DumpJson(const Json& j, int indent) {
    return j.dump(indent, ' ', false, Json::error_handler_t::replace);
}

Json TextOrNull(const std::optional<std::string>& text) {
    return OrNull(text);
}

Report::Report(std::string command, bool json, std::ostream& out)
    : m_command(std::move(command)), m_json(json), m_out(out) {}

void Report::Add(DeviceReport row) {
    m_status = WorseStatus(m_status, row.exit_status);
    ++m_devices;
    ++m_counts[static_cast<int>(row.outcome)];
    if (m_json)
        PrintJson(row);
    else
        PrintPlain(row);
    m_out.flush();
}

void Report::AddStatus(int status) {
    m_status = WorseStatus(m_status, status);
}

// Tab-separated, so a script can cut the columns even when a list text holds blanks.
void Report::PrintPlain(const DeviceReport& row) {
    std::string outcome(OutcomeWord(row.outcome));
    if (!row.problem.empty())
        outcome += ": " + row.problem;
    m_out << row.device << '\t' << row.list_text.value_or("-") << '\t' << row.sent << '\t'
          << outcome << '\t'
          << (row.status ? "status " + std::to_string(*row.status) : std::string("-")) << '\t'
          << (row.ms ? std::to_string(*row.ms) + " ms" : std::string("-")) << '\n';
}

void Report::PrintJson(const DeviceReport& row) {
    Json j;
    j["command"] = m_command;
    j["device"] = row.device;
    j["list_text"] = TextOrNull(row.list_text);
    j["sent"] = row.sent;
    j["outcome"] = OutcomeWord(row.outcome);
    j["status"] = OrNull(row.status);
    j["ms"] = OrNull(row.ms);
    if (!row.problem.empty())
        j["problem"] = row.problem;
    for (const auto& [key, value] : row.extra.items())
        j[key] = value;
    m_out << DumpJson(j) << '\n';
}

int Report::Finish() {
    if (m_json) {
        Json summary;
        summary["devices"] = m_devices;
        for (FleetOutcome o : kOutcomes)
            summary[JsonKey(o)] = m_counts[static_cast<int>(o)];
        summary["exit_status"] = m_status;
        m_out << DumpJson(Json{{"summary", summary}}) << '\n';
    } else {
        m_out << m_devices << (m_devices == 1 ? " device" : " devices");
        const char* sep = ": ";
        for (FleetOutcome o : kOutcomes) {
            const int n = m_counts[static_cast<int>(o)];
            if (n > 0 || o != FleetOutcome::NotSent) {
                m_out << sep << n << ' ' << OutcomeWord(o);
                sep = ", ";
            }
        }
        m_out << '\n';
    }
    m_out.flush();
    return m_status;
}

} // namespace kx::cli
