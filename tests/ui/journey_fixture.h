#pragma once
// The Audio, Input and Setting pages driven through the shared panel (one main window that has
// searched the two demo multiviewers once): each test starts on device A freshly read, in Auto
// Apply, in a temporary working directory of its own so that the settings file never lands in the
// tree.
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "platform/log.h"
#include "tests/ui/panel_fixture.h"

namespace kx::test::journey {

// A request as a device with type 0xA3 and the given address must receive it: magic, total
// length, type, address, 01, nine zeros, command, payload, 16-bit sum of all before, AE.
inline Bytes Request(std::uint8_t addr, std::uint8_t command, const Bytes& payload) {
    const Bytes head = {0xA5, 0x6C, 0, 0, 0xA3, addr, 0x01, 0, 0, 0, 0, 0, 0, 0, 0, 0, command};
    const std::size_t total = head.size() + payload.size() + 3;
    Bytes f(total, 0);
    std::copy(head.begin(), head.end(), f.begin());
    std::copy(payload.begin(), payload.end(), f.begin() + static_cast<long>(head.size()));
    f[2] = static_cast<std::uint8_t>(total & 0xFF);
    f[3] = static_cast<std::uint8_t>(total >> 8);
    unsigned sum = 0;
    for (std::size_t i = 0; i + 3 < total; ++i)
        sum += f[i];
    f[total - 3] = static_cast<std::uint8_t>(sum & 0xFF);
    f[total - 2] = static_cast<std::uint8_t>((sum >> 8) & 0xFF);
    f[total - 1] = 0xAE;
    return f;
}

inline std::uint32_t LoopbackIp(int last) {
    return 0x7F000000u | static_cast<std::uint32_t>(last);
}

// Opens the list and clicks the entry, as the operator does.
inline void Choose(QComboBox* combo, int index) {
    ASSERT_TRUE(combo->isVisible() && combo->isEnabled());
    ChooseInList(combo, index);
    ASSERT_EQ(combo->currentIndex(), index);
}

class JourneyTest : public ::testing::Test {
protected:
    void SetUp() override {
        KX_REQUIRE_PRIVATE_NETWORK();
        Panel& panel = Panel::Get();
        ASSERT_TRUE(panel.Ready()) << panel.Problem();
        panel.Reset();
        main = &panel.Main();
        device_a = &panel.DeviceA();
        device_b = &panel.DeviceB();
        old_dir = std::filesystem::current_path();
        work_dir = std::filesystem::temp_directory_path() /
                   ("kx7214_ui_" + std::to_string(::getpid()) + "_" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(work_dir);
        std::filesystem::create_directories(work_dir);
        std::filesystem::current_path(work_dir);
        old_sink = platform::SetLogSink([this](std::string_view line) { log.emplace_back(line); });
        OpenDevice(device_a);
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    }

    void TearDown() override {
        if (old_dir.empty())
            return;
        platform::SetLogSink(old_sink);
        std::filesystem::current_path(old_dir);
        std::filesystem::remove_all(work_dir);
        if (main != nullptr)
            main->m_all_kx7214_page_data.kx7214_auto_or_manual_status = 0;
    }

    // Picks the device's entry in the main window's list, which reads it afresh.
    void OpenDevice(sim::SimDevice* device) {
        const std::string ip = device == device_a ? "127.0.0.2" : "127.0.0.3";
        for (int i = 0; i < main->m_device_count; ++i)
            if (ip == main->m_device_list[static_cast<std::size_t>(i)].ip_text)
                Panel::Get().ChooseDevice(i);
        device_a->ClearFrames();
        device_b->ClearFrames();
    }

    template <class Page> Page* OpenTab(int tab) {
        QTest::mouseClick(main->Page()->TabButton(tab), Qt::LeftButton);
        Settle();
        return dynamic_cast<Page*>(main->Page()->ChildPage());
    }

    // Escape pressed while the control has the focus.
    void PressEscape(QWidget* control) {
        for (QComboBox* combo : main->findChildren<QComboBox*>())
            combo->hidePopup();
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main));
        control->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), control);
        QTest::keyClick(control, Qt::Key_Escape);
    }

    kx7214_page_data& Record() { return main->m_all_kx7214_page_data; }
    void SetManual(bool manual) { Record().kx7214_auto_or_manual_status = manual ? 1 : 0; }
    bool Logged(const std::string& line) const {
        return std::find(log.begin(), log.end(), line) != log.end();
    }
    std::vector<platform::Alert>& Alerts() { return Panel::Get().alerts; }

    ui::CZANDRELL_EX_NETWORKDlg* main = nullptr;
    sim::SimDevice* device_a = nullptr;
    sim::SimDevice* device_b = nullptr;
    std::vector<std::string> log;
    platform::LogSink old_sink;
    std::filesystem::path old_dir;
    std::filesystem::path work_dir;
};

} // namespace kx::test::journey
