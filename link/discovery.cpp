// The search for devices on the local segment and the choice of one of them.
#include <array>
#include <cstring>

#include "link/search_reply.h"
#include "link/session.h"
#include "platform/clock.h"
#include "platform/log.h"
#include "platform/text.h"

namespace kx {

using namespace platform;

namespace {
constexpr std::size_t kSearchBufSize = 128;
} // namespace

void CKX7214Session::ScanDevices() {
    CloseSocket();
    m_device_index = -1;
    m_device_count = 0;
    if (m_view.HasContainer()) {
        m_view.CloseContainer();
        Log("Init my rect \n");
    }
    std::array<std::uint8_t, kSearchBufSize> send{};
    std::array<std::uint8_t, kSearchBufSize> recv{};
    if (m_view.DeviceListCount() > 0)
        m_view.ClearDeviceList();

    const auto started = std::chrono::steady_clock::now();
    const std::uint32_t t0 = TickCount();
    const std::uint32_t deadline = m_search_wait_ms;
    const auto len = frame::BuildFrame(frame::kSearchDevType, frame::kSearchDevAddr, CMD_SEARCH,
                                       nullptr, 0, send.data());
    int count = 0;
    if (!OpenBroadcastSocket()) {
        m_view.ShowAlert({"Create socket err", "Err", AlertButtons::OkCancel});
        Log("create socket fail \n");
        return;
    }
    m_view.SetBusy(true);
    Log("create socket success \n");
    SendSearchRequests(send.data(), len);

    // Every reply that arrives within the search time is examined: a busy segment answers
    // with up to a full table of devices at once.
    for (std::uint32_t elapsed; (elapsed = ElapsedSince(t0)) <= deadline;) {
        if (!WaitReadable(m_udpSockfd, deadline - elapsed + 1))
            continue;
        Endpoint from{};
        int n = RecvFrom(m_udpSockfd, recv.data(), recv.size(), &from);
        if (n <= 0)
            continue;
        m_dest_addr = from;
        std::fill(recv.begin() + n, recv.end(), std::uint8_t{0});
        AddSearchEntries(recv.data(), n, count);
    }
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
    ReportSearch(count, deadline, started);
    SelectDevice();
    Log("search  over \n");
}

void CKX7214Session::SendSearchRequests(const std::uint8_t* request, std::size_t len) {
    SendTo(m_udpSockfd, request, len, {kBroadcastIp, frame::kPort});
    for (std::uint32_t ip : m_search_addresses)
        SendTo(m_udpSockfd, request, len, {ip, frame::kPort});
}

void CKX7214Session::AddSearchEntries(const std::uint8_t* reply, int len, int& count) {
    const SearchReply parsed = ParseSearchReply(reply, static_cast<std::size_t>(len));
    // A device that heard the request on several paths answers each of them; it is listed
    // once, from its first answer.
    for (int i = 0; i < count && !parsed.name_lengths.empty(); ++i)
        if (InetAddr(m_device_list[static_cast<std::size_t>(i)].ip_text) == m_dest_addr.ip)
            return;
    for (std::size_t p : parsed.name_lengths) {
        // The table and the list hold 128 devices; further replies are ignored.
        if (count >= kDeviceTableSize)
            return;
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
