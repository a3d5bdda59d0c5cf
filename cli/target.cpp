#include "cli/target.h"

#include <algorithm>
#include <cstring>

#include "cli/exit_status.h"
#include "cli/numbers.h"

namespace kx::cli {
namespace {

void FillEntry(device_entry& entry, const std::string& ip, std::uint8_t dev_addr) {
    entry = device_entry{};
    std::memcpy(entry.ip_text, ip.data(), std::min(ip.size(), sizeof(entry.ip_text) - 1));
    entry.dev_type = frame::kSelectableDevType;
    entry.dev_addr = dev_addr;
}

int FindByIp(const CKX7214Session& session, const std::string& ip) {
    const int count = std::min(session.m_device_count, kDeviceTableSize);
    for (int i = 0; i < count; ++i) {
        const auto& entry = session.m_device_list[static_cast<std::size_t>(i)];
        if (std::string(entry.ip_text, strnlen(entry.ip_text, sizeof(entry.ip_text))) == ip)
            return i;
    }
    return -1;
}

} // namespace

int CheckTarget(const TargetSpec& wanted, std::ostream& err) {
    std::string error;
    if (!wanted.device)
        return Usage(err, "--device IP is required for this command");
    if (!ParseDottedQuad(*wanted.device, "--device", error))
        return Usage(err, error);
    if (wanted.dev_addr && !ParseNumber(*wanted.dev_addr, 0, 255, "--dev-addr", error))
        return Usage(err, error);
    return 0;
}

int SelectTarget(CKX7214Session& session, const TargetSpec& wanted, std::ostream& err) {
    if (const int status = CheckTarget(wanted, err))
        return status;
    std::string error;
    if (wanted.dev_addr) {
        FillEntry(session.m_device_list[0], *wanted.device,
                  *ParseNumber(*wanted.dev_addr, 0, 255, "--dev-addr", error));
        session.m_device_index = 0;
        session.m_device_count = 1;
        return 0;
    }
    session.ScanDevices();
    const int index = FindByIp(session, *wanted.device);
    if (index < 0)
        return Fail(err, "no device answered the search from " + *wanted.device, kExitNoReply);
    session.m_device_index = static_cast<std::int8_t>(index);
    return 0;
}

} // namespace kx::cli
