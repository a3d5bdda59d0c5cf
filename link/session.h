#pragma once
// The main window's shared state and every link operation: the session with one multiviewer
// family on the local segment. The desktop main window derives from this class; the
// command-line tool and the tests use it alone.
#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "link/commands.h"
#include "link/device_entry.h"
#include "link/frame.h"
#include "link/outcome_report.h"
#include "link/session_view.h"
#include "model/preview_geometry.h"
#include "model/session_state.h"
#include "platform/socket.h"

namespace kx {

inline constexpr std::size_t kSendBufSize = 1056;
inline constexpr std::size_t kReadAllRecvSize = 1024;
inline constexpr std::size_t kRecvSize = 128;
// The UMD-text and device-name exchanges stage their payload in 64 bytes, and the device
// keeps 16 UTF-16 units of UMD text and 16 name bytes plus the zero; longer texts are cut.
inline constexpr std::size_t kUmdTextMaxUnits = 16;
inline constexpr std::size_t kDeviceNameMaxBytes = 16;
inline constexpr std::uint32_t kSearchWaitMs = 2000;

// How asking one address for a device ended.
enum class FindOutcome {
    Listed,    // a device answered and is in the list (now or from before), selected and opened
    NoAnswer,  // nothing that names a device answered within the search time
    TableFull, // a device answered, but the table already holds 128 others
    NoSocket,  // the socket could not be opened; "Create socket err" was shown
};

class CKX7214Session : public SessionState {
public:
    explicit CKX7214Session(SessionView& view);
    virtual ~CKX7214Session();
    CKX7214Session(const CKX7214Session&) = delete;
    CKX7214Session& operator=(const CKX7214Session&) = delete;

    // Makes this session the one the exchanges and pages reach (m_p_glo_main_dlg).
    void Publish();
    SessionView& View() { return m_view; }

    // Link state.
    platform::SocketHandle m_udpSockfd = platform::kNoSocket;
    platform::Endpoint m_dest_addr{};
    std::array<std::uint8_t, kSendBufSize> m_send_buf{};
    std::array<device_entry, kDeviceTableSize> m_device_list{};
    std::int8_t m_device_index = -1;
    // Entries that the last search filled; entries beyond it are left from earlier searches.
    int m_device_count = 0;
    // Besides the broadcast, the search asks each of these addresses directly (a device on
    // another subnet never hears a broadcast), and it listens this long for answers.
    std::vector<std::uint32_t> m_search_addresses;
    std::uint32_t m_search_wait_ms = kSearchWaitMs;

    // Preview rectangles computed from the record.
    PreviewGeometry m_preview{};

    // What the selected device was last known to hold: its last read, and every setting,
    // text and whole configuration it acknowledged since.
    SessionState m_applied;
    // Settings of the record that differ from m_applied: what Apply would still change.
    int UnappliedChanges() const;
    // The latest outcome reports, oldest first.
    const std::deque<OutcomeReport>& Outcomes() const { return m_outcomes.Reports(); }

    int StartWinsock();
    int OpenBroadcastSocket();
    int OpenDeviceSocket();
    void CloseSocket();

    // The exchanges. Each one's outcome is also reported to the view and kept in the history;
    // the command-line tool turns it into its exit status.
    Outcome ReadAllConfig();
    Outcome SendNetworkConfig();
    Outcome SendValue(std::uint8_t command, std::uint8_t value);
    Outcome SendLineValue(std::uint8_t command, std::uint8_t line, std::uint8_t value);
    Outcome SendUmdText(int line);
    Outcome SendDeviceName();
    Outcome SendAllConfig();

    // Discovery.
    void ScanDevices();
    // Sends the search request to one address only and adds whatever answers after the
    // devices already listed, with the search's list texts; the device that answered is
    // selected and its container opened. A device on another subnet is found this way.
    FindOutcome FindDeviceAt(std::uint32_t ip);
    void SelectDevice();
    void OnDeviceSelectionChanged(int list_selection);
    bool HasSelectedDevice() const;
    const device_entry* SelectedDevice() const;

    // Packs the record into m_all_data_block (the audio position 1 becomes 2 in the record).
    void PackAllDataBlock();
    // The Setting page's Apply: pack, send the block, recompute the preview.
    Outcome ApplyAllSettings();

    // The preview steps: each recomputes its array from the record and asks for a repaint.
    void UpdateWindowGeometry();
    void UpdateUmdGeometry();
    void UpdateAudioGeometry();
    void UpdateInputGeometry();
    void UpdatePreviewGeometry();

private:
    struct Request;
    Outcome Exchange(const Request& request);
    bool OpenSearchSocket();
    void SendSearchRequests(const std::uint8_t* request, std::size_t len);
    int CollectSearchReplies(std::uint32_t t0, int& count, std::optional<std::uint32_t> asked);
    int AddSearchEntries(const std::uint8_t* reply, int len, int& count);
    void ReportExchange(const Request& request, Outcome outcome, std::optional<std::uint8_t> status,
                        std::chrono::steady_clock::time_point started);
    void ReportSearch(int devices_answered, std::uint32_t deadline_ms,
                      std::chrono::steady_clock::time_point started);
    void Report(OutcomeReport report);

    SessionView& m_view;
    OutcomeHistory m_outcomes;
};

// Set by Publish(); null until the main window (or the tool) has initialised.
extern CKX7214Session* m_p_glo_main_dlg;

} // namespace kx
