#pragma once
// What the tool prints for every device a command went to: one line each (or, with --json, one
// JSON object each, one per line) and a summary at the end, and the exit status they add up to.
// One device or many, the format is the same.
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include <nlohmann/json.hpp>

#include "link/fleet_job.h"

namespace kx::cli {

struct DeviceReport {
    std::string device;                   // the address
    std::optional<std::string> list_text; // as the device list shows it, when a search found it
    std::string sent;                     // what went to the device, in the tool's words
    FleetOutcome outcome = FleetOutcome::NoAnswer;
    std::optional<std::uint8_t> status; // the acknowledgement's status byte
    std::optional<std::uint32_t> ms;    // round trip, or how long the device was waited for
    std::string problem;                // why nothing was sent
    int exit_status = 0;
    nlohmann::ordered_json extra = nlohmann::ordered_json::object(); // more keys for --json
};

// JSON text; bytes that are not UTF-8 (a file name can hold any) become U+FFFD instead of
// ending the run. indent -1: one line.
std::string DumpJson(const nlohmann::ordered_json& j, int indent = -1);
// A text, or null where it is not known.
nlohmann::ordered_json TextOrNull(const std::optional<std::string>& text);

class Report {
public:
    // Lines go to `out`; `command` names the subcommand in every JSON object.
    Report(std::string command, bool json, std::ostream& out);

    void Add(DeviceReport row); // printed at once
    // A failure that belongs to no one device (the index of a backup) counts too.
    void AddStatus(int status);
    // Prints the summary and returns the exit status of the whole run.
    int Finish();

private:
    void PrintPlain(const DeviceReport& row);
    void PrintJson(const DeviceReport& row);

    std::string m_command;
    bool m_json;
    std::ostream& m_out;
    int m_status = 0;
    int m_devices = 0;
    int m_counts[4] = {}; // by FleetOutcome
};

} // namespace kx::cli
