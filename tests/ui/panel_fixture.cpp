#include "tests/ui/panel_fixture.h"

#include "link/frame.h"
#include "ui/button_st.h"
#include "ui/demo.h"

namespace kx::test {

namespace {

Panel* g_panel = nullptr;

class PanelEnvironment : public ::testing::Environment {
public:
    void TearDown() override { Panel::Shutdown(); }
};

[[maybe_unused]] ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new PanelEnvironment);

} // namespace

void Settle() {
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void ChooseInList(QComboBox* combo, int index) {
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    const QRect item = view->visualRect(view->model()->index(index, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
    Settle();
    // The offscreen platform does not hand the activation back when the list closes.
    combo->window()->activateWindow();
    if (!QTest::qWaitForWindowActive(combo->window()))
        ADD_FAILURE() << "the list's window did not become active again";
}

int CountCommand(const std::vector<Bytes>& requests, std::uint8_t command) {
    int n = 0;
    for (const Bytes& r : requests)
        n += r.size() > frame::kOffCommand && r[frame::kOffCommand] == command ? 1 : 0;
    return n;
}

Panel& Panel::Get() {
    if (g_panel == nullptr) {
        g_panel = new Panel;
        g_panel->Start();
    }
    return *g_panel;
}

void Panel::Shutdown() {
    if (g_panel == nullptr)
        return;
    if (g_panel->m_main)
        g_panel->m_main->DestroyWindow();
    Settle();
    g_panel->m_main.reset();
    delete g_panel;
    g_panel = nullptr;
}

void Panel::Start() {
    m_host = std::make_unique<sim::DeviceHost>();
    m_a = &m_host->AddDevice(ui::DemoStudioA());
    m_b = &m_host->AddDevice(ui::DemoEditB());
    if (!m_host->Start()) {
        m_problem = "devices: " + m_host->Error();
        return;
    }
    m_main = std::make_unique<ui::CZANDRELL_EX_NETWORKDlg>();
    m_main->Create();
    m_main->SetAlertHandler([this](const platform::Alert& a) { alerts.push_back(a); });
    m_main->show();
    m_main->activateWindow();
    if (!QTest::qWaitForWindowActive(m_main.get())) {
        m_problem = "the main window never became active";
        return;
    }
    QTest::mouseClick(m_main->DlgItem<ui::CButtonST>(1000), Qt::LeftButton);
    Settle();
    QComboBox* combo = m_main->DeviceCombo();
    for (int i = 0; i < combo->count(); ++i)
        m_scan.items.push_back(combo->itemText(i));
    m_scan.current_item = combo->currentIndex();
    m_scan.status = m_main->StatusLabel()->text();
    m_scan.container_open = m_main->Page() != nullptr;
    if (m_main->Page() != nullptr) {
        m_scan.tab = m_main->Page()->CurrentTab();
        if (m_main->Page()->ChildPage() != nullptr)
            m_scan.page_class = m_main->Page()->ChildPage()->metaObject()->className();
    }
    m_scan.requests_a = m_a->ReceivedRequests();
    m_scan.requests_b = m_b->ReceivedRequests();
    m_ready = true;
}

void Panel::Reset() {
    // A name field left with the focus commits when the focus moves: let that happen before
    // the devices get their configuration back.
    m_main->activateWindow();
    if (!QTest::qWaitForWindowActive(m_main.get()))
        ADD_FAILURE() << "the main window did not become active again";
    m_main->setFocus();
    Settle();
    m_a->SetConfig(ui::DemoStudioA().config);
    m_b->SetConfig(ui::DemoEditB().config);
    m_a->silent = false;
    m_b->silent = false;
    m_main->Publish();
    m_main->m_all_kx7214_page_data.kx7214_auto_or_manual_status = 0;
    ChooseDevice(0);
    m_a->ClearFrames();
    m_b->ClearFrames();
    alerts.clear();
}

void Panel::ChooseDevice(int index) {
    ChooseInList(m_main->DeviceCombo(), index);
    Settle();
}

} // namespace kx::test
