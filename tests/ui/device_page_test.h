#pragma once
// The Scale and Overlay page tests: the panel's shared window on the first demo device, and
// the request frames that device must receive, built here byte by byte.
#include <cstdint>
#include <string>
#include <vector>

#include "tests/core/log_capture.h"
#include "tests/ui/panel_fixture.h"

namespace kx::test {

inline constexpr std::uint8_t kDeviceAddr = 0x01;

inline std::vector<std::uint8_t> ExpectedFrame(std::uint8_t addr, std::uint8_t command,
                                               const std::vector<std::uint8_t>& payload) {
    const std::size_t total = 20 + payload.size();
    std::vector<std::uint8_t> f{0xA5,
                                0x6C,
                                static_cast<std::uint8_t>(total & 0xFF),
                                static_cast<std::uint8_t>(total >> 8),
                                0xA3,
                                addr,
                                0x01};
    f.insert(f.end(), 9, 0);
    f.push_back(command);
    f.insert(f.end(), payload.begin(), payload.end());
    unsigned sum = 0;
    for (std::uint8_t b : f)
        sum += b;
    f.push_back(static_cast<std::uint8_t>(sum & 0xFF));
    f.push_back(static_cast<std::uint8_t>((sum >> 8) & 0xFF));
    f.push_back(0xAE);
    return f;
}

// A UMD text as the device takes it: the line, then the text in UTF-16LE.
// Opens the list and clicks the entry, as the operator does. The click goes to the middle of
// the open list's visible width: a narrow list reports its rows wider than it shows them.
inline void Pick(QComboBox* combo, int index) {
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    const QRect item = view->visualRect(view->model()->index(index, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      QPoint(view->viewport()->width() / 2, item.center().y()));
    Settle();
}

inline std::vector<std::uint8_t> UmdTextPayload(std::uint8_t line, const std::u16string& text) {
    std::vector<std::uint8_t> p{line};
    for (char16_t unit : text) {
        p.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        p.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return p;
}

// The panel's shared window, with the first device's configuration read afresh and the
// Status page open, so that the page under test opens from the record each test sets.
class DevicePageTest : public PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        if (Main().Page()->CurrentTab() == 1)
            Main().ReadAllConfig();
        else
            ClickTab(1);
        Main().UpdatePreviewGeometry();
        Settle();
        P().DeviceA().ClearFrames();
    }
    void ClickTab(int tab) {
        QTest::mouseClick(Main().Page()->TabButton(tab), Qt::LeftButton);
        Settle();
    }
    template <class Page> Page* OpenTab(int tab) {
        ClickTab(tab);
        P().DeviceA().ClearFrames();
        return dynamic_cast<Page*>(Main().Page()->ChildPage());
    }
    kx7214_page_data& Record() { return Main().m_all_kx7214_page_data; }
    std::vector<Bytes> Received() { return P().DeviceA().ReceivedRequests(); }
    static Bytes Request(std::uint8_t command, const Bytes& payload) {
        return ExpectedFrame(kDeviceAddr, command, payload);
    }
    LogCapture log;
};

} // namespace kx::test
