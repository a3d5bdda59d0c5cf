// The search for devices on the local segment and the choice of one of them.
#include <array>
#include <cstring>

#include "link/search_reply.h"
#include "link/session.h"
#include "platform/clock.h"
#include "platform/interfaces.h"
#include "platform/log.h"
#include "platform/text.h"

namespace kx {

using namespace platform;

namespace {

constexpr std::size_t kSearchBufSize = 128;

std::array<std::uint8_t, frame::kOverhead> SearchRequest() {
    std::array<std::uint8_t, frame::kOverhead> request{};
    frame::BuildFrame(frame::kSearchDevType, frame::kSearchDevAddr, CMD_SEARCH, nullptr, 0,
                      request.data());
    return request;
}

} // namespace

void CKX7214Session::ScanDevices() {
    CloseSocket();
    m_device_index = -1;
    m_device_count = 0;
    if (m_view.HasContainer()) {
        m_view.CloseContainer();
        Log("Init my rect \n");
    }
    if (m_view.DeviceListCount() > 0)
        m_view.ClearDeviceList();

    const auto started = std::chrono::steady_clock::now();
    const std::uint32_t t0 = TickCount();
    const auto request = SearchRequest();
    int count = 0;
    if (!OpenSearchSocket())
        return;
    m_view.SetBusy(true);
    Log("create socket success \n");
    SendSearchRequests(request.data(), request.size());

    CollectSearchReplies(t0, count, std::nullopt);
    Log("time over \n");

    if (count >= 1) {
        m_device_index = 0;
        m_view.SetStatusText("Connected - " + std::to_string(count) + " ");
    } else {
        m_view.SetStatusText("No Device Connected ");
        m_view.InsertDeviceListItem(0, u"No Device Found");
    }
    m_device_count = count;
    Log("m_device_index = %d \n", m_device_index);
    m_view.SelectDeviceListItem(0);
    CloseSocket();
    m_view.SetBusy(false);
    ReportSearch(count, m_search_wait_ms, started);
    SelectDevice();
    Log("search  over \n");
}

FindOutcome CKX7214Session::FindDeviceAt(std::uint32_t ip) {
    Log("find device at %s \n", InetNtoa(ip).c_str());
    CloseSocket();
    const auto started = std::chrono::steady_clock::now();
    const std::uint32_t t0 = TickCount();
    const auto request = SearchRequest();
    // The search's socket: bound to port 7000, where devices answer, and allowed to broadcast,
    // so a segment's broadcast address may be typed too.
    if (!OpenSearchSocket())
        return FindOutcome::NoSocket;
    m_view.SetBusy(true);
    SendTo(m_udpSockfd, request.data(), request.size(), {ip, frame::kPort});
    int count = m_device_count;
    const int first = CollectSearchReplies(t0, count, ip);
    CloseSocket();
    m_view.SetBusy(false);
    ReportSearch(first >= 0 ? 1 : 0, m_search_wait_ms, started);
    const bool listed = count > m_device_count || (first >= 0 && first < m_device_count);
    m_device_count = count;
    Log("find over \n");
    if (first < 0)
        return FindOutcome::NoAnswer;
    if (!listed)
        return FindOutcome::TableFull;
    m_view.SetStatusText("Connected - " + std::to_string(count) + " ");
    m_device_index = static_cast<std::int8_t>(first);
    m_view.SelectDeviceListItem(first);
    SelectDevice();
    return FindOutcome::Listed;
}

bool CKX7214Session::OpenSearchSocket() {
    if (OpenBroadcastSocket())
        return true;
    m_view.ShowAlert({"Create socket err", "Err", AlertButtons::OkCancel});
    Log("create socket fail \n");
    return false;
}

// The limited broadcast leaves through one interface only; each segment's own broadcast
// reaches the devices behind every other network card, and the remembered addresses reach
// devices on other subnets.
void CKX7214Session::SendSearchRequests(const std::uint8_t* request, std::size_t len) {
    SendTo(m_udpSockfd, request, len, {kBroadcastIp, frame::kPort});
    for (std::uint32_t ip : DirectedBroadcastAddresses())
        SendTo(m_udpSockfd, request, len, {ip, frame::kPort});
    for (std::uint32_t ip : m_search_addresses)
        SendTo(m_udpSockfd, request, len, {ip, frame::kPort});
}

// Every reply that arrives within the search time is examined: a busy segment answers with up
// to a full table of devices at once. A device asked at its own address has said all it will
// once it answered, so the wait ends there. The result is the first entry of the first device
// that answered (listed now or before), or -1.
int CKX7214Session::CollectSearchReplies(std::uint32_t t0, int& count,
                                         std::optional<std::uint32_t> asked) {
    std::array<std::uint8_t, kSearchBufSize> recv{};
    const std::uint32_t deadline = m_search_wait_ms;
    int first = -1;
    for (std::uint32_t elapsed; (elapsed = ElapsedSince(t0)) <= deadline;) {
        if (!WaitReadable(m_udpSockfd, deadline - elapsed + 1))
            continue;
        Endpoint from{};
        int n = RecvFrom(m_udpSockfd, recv.data(), recv.size(), &from);
        if (n <= 0)
            continue;
        m_dest_addr = from;
        std::fill(recv.begin() + n, recv.end(), std::uint8_t{0});
        const int entry = AddSearchEntries(recv.data(), n, count);
        if (first < 0)
            first = entry;
        if (entry >= 0 && asked == from.ip)
            break;
    }
    return first;
}

int CKX7214Session::AddSearchEntries(const std::uint8_t* reply, int len, int& count) {
    const SearchReply parsed = ParseSearchReply(reply, static_cast<std::size_t>(len));
    if (parsed.name_lengths.empty())
        return -1;
    // A device that heard the request on several paths answers each of them; it is listed
    // once, from its first answer.
    for (int i = 0; i < count; ++i)
        if (InetAddr(m_device_list[static_cast<std::size_t>(i)].ip_text) == m_dest_addr.ip)
            return i;
    // A list that holds only "No Device Found" makes room for the first device.
    if (count == 0 && m_view.DeviceListCount() > 0)
        m_view.ClearDeviceList();
    const int first = count;
    for (std::size_t p : parsed.name_lengths) {
        // The table and the list hold 128 devices; further replies are ignored.
        if (count >= kDeviceTableSize)
            break;
        device_entry& entry = m_device_list[static_cast<std::size_t>(count)];
        const std::string ip = InetNtoa(m_dest_addr.ip);
        std::memset(entry.ip_text, 0, sizeof entry.ip_text);
        std::memcpy(entry.ip_text, ip.data(), std::min(ip.size(), sizeof entry.ip_text));
        entry.dev_type = parsed.dev_type;
        entry.dev_addr = parsed.dev_addr;
        Log("nameLength = %d  \n", static_cast<int>(p));
        m_view.InsertDeviceListItem(count, SearchReplyName(reply, p) + u"_" + BytesToWide(ip));
        ++count;
    }
    return first;
}

void CKX7214Session::SelectDevice() {
    Log("m_device_index = %d \n ", m_device_index);
    if (!HasSelectedDevice() || m_view.DeviceListCount() == 0)
        return;
    CloseSocket();
    if (m_view.HasContainer())
        m_view.CloseContainer();
    if (SelectedDevice()->dev_type != frame::kSelectableDevType)
        return;
    m_view.OpenContainer();
}

// "No Device Found" and items beyond the last search's devices select nothing: the table
// may still hold an earlier search's entries, and opening one of those would talk to a
// device that did not answer.
void CKX7214Session::OnDeviceSelectionChanged(int list_selection) {
    m_device_index = list_selection >= 0 && list_selection < m_device_count
                         ? static_cast<std::int8_t>(list_selection)
                         : std::int8_t{-1};
    SelectDevice();
    if (const device_entry* entry = SelectedDevice())
        Log("%d \n", entry->dev_type);
}

bool CKX7214Session::HasSelectedDevice() const {
    return m_device_index >= 0 && m_device_index < m_device_count;
}

const device_entry* CKX7214Session::SelectedDevice() const {
    return HasSelectedDevice() ? &m_device_list[static_cast<std::size_t>(m_device_index)] : nullptr;
}

} // namespace kx
