#pragma once
// The whole panel on the offscreen platform with the two demo multiviewers: one main window
// that has searched once, shared by every test that needs a search result (a search takes
// 2 s). Tests bring it back to a known state with ChooseDevice.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "link/commands.h"
#include "platform/alerts.h"
#include "sim/multiviewer.h"
#include "tests/support/private_network.h"
#include "ui/main_dialog.h"

namespace kx::test {

using Bytes = std::vector<std::uint8_t>;

// What the panel showed right after its one search.
struct ScanResult {
    std::vector<QString> items;
    int current_item = -1;
    QString status;
    bool container_open = false;
    int tab = 0;
    QString page_class;
    std::vector<Bytes> requests_a; // what each device received up to then
    std::vector<Bytes> requests_b;
};

class Panel {
public:
    // Starts the devices and the window and searches, once per test program.
    static Panel& Get();
    static void Shutdown();

    bool Ready() const { return m_ready; }
    const std::string& Problem() const { return m_problem; }

    ui::CZANDRELL_EX_NETWORKDlg& Main() { return *m_main; }
    sim::SimDevice& DeviceA() { return *m_a; }
    sim::SimDevice& DeviceB() { return *m_b; }
    const ScanResult& FirstScan() const { return m_scan; }
    std::vector<platform::Alert> alerts;

    // Back to the demo's configuration, Auto Apply, no frames recorded, no alerts.
    void Reset();
    // Picks list item `index` with the mouse, which opens a new container on the Status page.
    void ChooseDevice(int index);

private:
    Panel() = default;
    void Start();

    bool m_ready = false;
    std::string m_problem;
    std::unique_ptr<sim::DeviceHost> m_host;
    sim::SimDevice* m_a = nullptr;
    sim::SimDevice* m_b = nullptr;
    std::unique_ptr<ui::CZANDRELL_EX_NETWORKDlg> m_main;
    ScanResult m_scan;
};

// Picks an entry of a drop-down list with the mouse, as the operator does.
void ChooseInList(QComboBox* combo, int index);
// Lets queued repaints, deferred deletions and focus changes happen.
void Settle();
// Requests whose command byte is `command`.
int CountCommand(const std::vector<Bytes>& requests, std::uint8_t command);

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        KX_REQUIRE_PRIVATE_NETWORK();
        Panel& panel = Panel::Get();
        ASSERT_TRUE(panel.Ready()) << panel.Problem();
        panel.Reset();
    }
    Panel& P() { return Panel::Get(); }
    ui::CZANDRELL_EX_NETWORKDlg& Main() { return Panel::Get().Main(); }
};

} // namespace kx::test
