// The exchange discipline shared by every request to the selected device: open the socket,
// send one frame, wait for the reply whose command byte echoes ours until the deadline, log
// the outcome, close the socket. Nothing is retried.
#include <algorithm>
#include <cstring>
#include <span>
#include <vector>

#include "link/applied_state.h"
#include "link/config_layout.h"
#include "link/read_all.h"
#include "link/session.h"
#include "platform/clock.h"
#include "platform/log.h"
#include "platform/text.h"

namespace kx {

using namespace platform;

struct CKX7214Session::Request {
    const char* guard_line;
    std::uint8_t command;
    ExchangeKind kind;
    std::vector<std::uint8_t> payload;
    std::size_t recv_size = kRecvSize;
    bool log_name_len = false;
};

namespace {

// The wait ends one millisecond past the deadline so that a reply arriving at exactly the
// deadline is still looked at.
std::uint32_t TimeLeft(std::uint32_t t0, std::uint32_t deadline) {
    std::uint32_t elapsed = ElapsedSince(t0);
    return elapsed > deadline ? 0 : deadline - elapsed + 1;
}

void LogStatus(std::uint8_t status) {
    Log(status == 0 ? "send ok \n" : "send error \n");
}

// Our own request come back: sent to an address of this machine where no device listens, it
// reaches our own port 7000 from the address it left by, its command byte matching. A device
// answers from its own address, and its answer may equal the request byte for byte (the
// acknowledgement of a one-value command with status 0 is the request with value 0), so only
// the sender tells the two apart. A datagram that differs from the request is never an echo.
bool IsOwnRequest(const std::uint8_t* data, int len, std::span<const std::uint8_t> sent,
                  Endpoint from, Endpoint to) {
    if (from.port != frame::kPort || !std::equal(data, data + len, sent.begin(), sent.end()))
        return false;
    return SourceAddressToward(to) == from.ip;
}

} // namespace

Outcome CKX7214Session::Exchange(const Request& rq) {
    if (m_p_glo_main_dlg == nullptr) {
        Log("%s", rq.guard_line);
        return Outcome::TimedOut;
    }
    m_send_buf.fill(0);
    std::vector<std::uint8_t> recv(rq.recv_size, 0);
    const auto started = std::chrono::steady_clock::now();
    const std::uint32_t t0 = TickCount();
    const std::uint32_t deadline = DeadlineMs(rq.kind);
    m_view.SetBusy(true);
    if (rq.log_name_len)
        Log("name dataLen = %d \n", static_cast<int>(rq.payload.size()));

    OpenDeviceSocket();
    const Endpoint to = m_dest_addr;
    std::size_t sent_len = 0;
    if (const device_entry* entry = SelectedDevice()) {
        sent_len = frame::BuildFrame(entry->dev_type, entry->dev_addr, rq.command,
                                     rq.payload.data(), rq.payload.size(), m_send_buf.data());
        if (m_udpSockfd != kNoSocket)
            SendTo(m_udpSockfd, m_send_buf.data(), sent_len, m_dest_addr);
    }

    Outcome outcome = Outcome::TimedOut;
    int len = 0;
    for (std::uint32_t left; outcome == Outcome::TimedOut && (left = TimeLeft(t0, deadline)) > 0;) {
        if (m_udpSockfd == kNoSocket) {
            SleepMs(left);
            continue;
        }
        if (!WaitReadable(m_udpSockfd, left))
            continue;
        Endpoint from{};
        len = RecvFrom(m_udpSockfd, recv.data(), recv.size(), &from);
        if (len <= 0 || IsOwnRequest(recv.data(), len, {m_send_buf.data(), sent_len}, from, to))
            continue;
        m_dest_addr = from;
        // Only the bytes of this datagram count; what an earlier one left reads as zero.
        std::fill(recv.begin() + len, recv.end(), std::uint8_t{0});
        if (rq.kind == ExchangeKind::ReadAll)
            Log("recv len is %d \n", len);
        if (recv[frame::kOffCommand] == rq.command)
            outcome = recv[frame::kOffStatus] == 0 || rq.kind == ExchangeKind::ReadAll
                          ? Outcome::Accepted
                          : Outcome::Refused;
        else
            Log("the cmd is not right \n");
    }

    if (outcome == Outcome::TimedOut) {
        Log("wait time over \n");
    } else if (rq.kind == ExchangeKind::ReadAll) {
        DecodeReadAll(recv.data(), static_cast<std::size_t>(len), *this);
    } else {
        if (rq.kind == ExchangeKind::Network)
            Log("set ip success \n");
        LogStatus(recv[frame::kOffStatus]);
    }
    CloseSocket();
    Log("read over \n");
    m_view.SetBusy(false);
    if (outcome == Outcome::TimedOut)
        ReportExchange(rq, outcome, std::nullopt, started);
    else
        ReportExchange(rq, outcome, recv[frame::kOffStatus], started);
    return outcome;
}

// What the device now holds follows what it acknowledged; the report names the device as the
// list shows it.
void CKX7214Session::ReportExchange(const Request& rq, Outcome outcome,
                                    std::optional<std::uint8_t> status,
                                    std::chrono::steady_clock::time_point started) {
    if (outcome == Outcome::Accepted)
        NoteAcknowledged(m_applied, *this, rq.command, rq.payload);
    OutcomeReport report;
    report.kind = rq.kind;
    report.command = rq.command;
    report.payload = rq.payload;
    if (const device_entry* entry = SelectedDevice()) {
        report.device_ip.assign(entry->ip_text, strnlen(entry->ip_text, sizeof entry->ip_text));
        report.device_text = m_view.DeviceListItemText(m_device_index);
    }
    report.outcome = outcome;
    report.status = status;
    report.round_trip = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - started);
    report.deadline_ms = DeadlineMs(rq.kind);
    Report(std::move(report));
}

Outcome CKX7214Session::ReadAllConfig() {
    return Exchange(
        {"ex0 why is null \n", CMD_READ_ALL, ExchangeKind::ReadAll, {}, kReadAllRecvSize});
}

Outcome CKX7214Session::SendNetworkConfig() {
    return Exchange({"ex0 why is null \n",
                     CMD_SET_NETWORK,
                     ExchangeKind::Network,
                     {m_net_config.begin(), m_net_config.end()}});
}

Outcome CKX7214Session::SendValue(std::uint8_t command, std::uint8_t value) {
    return Exchange({"ex0 why is null \n", command, ExchangeKind::Value, {value}});
}

Outcome CKX7214Session::SendLineValue(std::uint8_t command, std::uint8_t line, std::uint8_t value) {
    return Exchange({"ex1 why is null \n", command, ExchangeKind::LineValue, {line, value}});
}

// The device keeps 16 UTF-16 units of each UMD text; a longer text (only a hand-written
// settings file can hold one) is cut there, never in the middle of a surrogate pair.
Outcome CKX7214Session::SendUmdText(int line) {
    std::vector<std::uint8_t> payload{static_cast<std::uint8_t>(line)};
    if (line >= 0 && line < kLineCount)
        for (char16_t unit :
             CutUtf16(m_umd_text[static_cast<std::size_t>(line)], kUmdTextMaxUnits)) {
            payload.push_back(static_cast<std::uint8_t>(unit & 0xFF));
            payload.push_back(static_cast<std::uint8_t>(unit >> 8));
        }
    return Exchange({"ex2 why is null \n", CMD_SET_UMD_TEXT, ExchangeKind::UmdText, payload});
}

Outcome CKX7214Session::SendDeviceName() {
    std::string ansi = DeviceNameBytes(m_device_name);
    std::vector<std::uint8_t> payload(ansi.begin(), ansi.end());
    payload.push_back(0);
    Request rq{"ex2 why is null \n", CMD_SET_DEVICE_NAME, ExchangeKind::DeviceName, payload};
    rq.log_name_len = true;
    return Exchange(rq);
}

Outcome CKX7214Session::SendAllConfig() {
    return Exchange({"ex2 why is null \n",
                     CMD_SET_ALL,
                     ExchangeKind::AllConfig,
                     {m_all_data_block.begin(), m_all_data_block.end()}});
}

} // namespace kx
