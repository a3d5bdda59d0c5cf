#pragma once
// The main window: a frameless, skinned 800 x 720 window with "SCANNING", the device list,
// the status and version labels, minimise and close, and the page area where the device page
// container opens for the selected device. It holds the whole session.
#include <QPointer>
#include <functional>

#include "link/session.h"
#include "link/session_view.h"
#include "ui/dialog.h"
#include "ui/kx7214_container.h"

class QComboBox;
class QLabel;

namespace kx::ui {

class COutcomeLine;

class CZANDRELL_EX_NETWORKDlg : public CDialog, public SessionView, public CKX7214Session {
    Q_OBJECT
public:
    explicit CZANDRELL_EX_NETWORKDlg(QWidget* parent = nullptr);
    ~CZANDRELL_EX_NETWORKDlg() override;

    // SessionView.
    void ClearDeviceList() override;
    void InsertDeviceListItem(int index, const std::u16string& text) override;
    int DeviceListCount() const override;
    std::u16string DeviceListItemText(int index) const override;
    void SelectDeviceListItem(int index) override;
    void SetStatusText(const std::string& text) override;
    void ShowAlert(const platform::Alert& alert) override;
    bool HasContainer() const override { return m_page != nullptr; }
    void CloseContainer() override;
    void OpenContainer() override;
    void InvalidatePreview() override;
    void SetBusy(bool busy) override;
    void ReportOutcome(const OutcomeReport& report) override;

    // "Read again" and F5: the open device is read afresh and its page and preview redrawn.
    void ReadAgain();

    CKX7214* Page() const { return m_page; }
    COutcomeLine* OutcomeLine() const { return m_outcome_line; }
    QComboBox* DeviceCombo() const;
    QLabel* StatusLabel() const;
    // The address field of find-by-address; its list holds the remembered addresses.
    QComboBox* FindAddressCombo() const;

    // F5 reads the device again from anywhere in the panel; Enter in the address field looks
    // for a device there; everything else is the standard dialog's.
    bool PreTranslateMessage(QKeyEvent* key) override;

    // Alerts go here instead of a message box while a handler is set (tests, screenshots).
    using AlertHandler = std::function<void(const platform::Alert&)>;
    void SetAlertHandler(AlertHandler handler) { m_alert_handler = std::move(handler); }

    void ShowAboutBox();
    // How often a press on the background started moving the window.
    int DragRequests() const { return m_drag_requests; }

    QRect m_page_rect;
    QRect m_rc_kx7214_show_mode_type;

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, Notify code) override;
    void OnControlNotified() override;
    CtlColor OnCtlColor(QWidget* control, int id, CtlType type) override;
    void OnEraseBkgnd(QPainter& painter) override;
    void OnLButtonDown(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool nativeEvent(const QByteArray& event_type, void* message, qintptr* result) override;

private:
    void AddAboutToWindowMenu();
    void InitFindByAddress();
    void OnFindDevice();
    void OnForgetAddress();
    void FillRememberedList();
    void PlaceWindowButton(int id, int bitmap_id, const QRect& place);
    void ShowUnappliedChanges();

    QPointer<CKX7214> m_page;
    COutcomeLine* m_outcome_line = nullptr;
    AlertHandler m_alert_handler;
    int m_busy_depth = 0;
    int m_drag_requests = 0;
};

} // namespace kx::ui
