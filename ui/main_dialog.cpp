#include "ui/main_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QWindow>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <string>
#include <windows.h>
#endif

#include "res/bitmaps.h"
#include "res/resource_ids.h"
#include "ui/about_dialog.h"
#include "ui/button_st.h"
#include "ui/find_by_address.h"
#include "ui/outcome_line.h"
#include "ui/page_background.h"

namespace kx::ui {

namespace {

constexpr QSize kWindowSize(800, 720);
const QRect kPageHolder(10, 110, 780, 600);
const QRect kMinimizePlace(720, 0, 40, 25);
const QRect kClosePlace(760, 0, 40, 25);
const QRect kStatusLabelPlace(65, 40, 140, 20);
const QRect kVersionLabelPlace(560, 40, 100, 20);
// The free strip under the preview, at the foot of the page area: wide enough for a whole
// outcome, and it covers nothing of the window or of the device page container.
const QRect kOutcomeLinePlace(20, 691, 760, 18);
const QColor kButtonGround(46, 49, 54);
const QColor kLabelGround(18, 132, 202);
const char* const kAboutItem = "关于 ZANDRELL_EX_NETWORK(&A)...";
// Identifier of the About item in the window menu; the system's own commands have the low
// four bits free, so the item is recognised with them cleared.
constexpr unsigned kAboutCommand = 0x0010;
const char* const kFindCaption = "Find device";

} // namespace

CZANDRELL_EX_NETWORKDlg::CZANDRELL_EX_NETWORKDlg(QWidget* parent)
    : CDialog(res::MainTemplate(), parent), CKX7214Session(static_cast<SessionView&>(*this)) {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint);
    setFocusPolicy(Qt::StrongFocus);
}

CZANDRELL_EX_NETWORKDlg::~CZANDRELL_EX_NETWORKDlg() {
    while (m_busy_depth > 0)
        SetBusy(false);
}

bool CZANDRELL_EX_NETWORKDlg::OnInitDialog() {
    AddAboutToWindowMenu();
    setWindowIcon(res::LoadAppIcon());
    Publish();
    StartWinsock();
    move(0, 0);
    setFixedSize(kWindowSize);
    setWindowTitle(QStringLiteral("Tavrin Ethernet Control"));
    MoveItem(res::IDC_PAGE_HOLDER, kPageHolder);
    m_page_rect = GetDlgItem(res::IDC_PAGE_HOLDER)->geometry();
    PlaceWindowButton(res::IDC_BTN_MINIMIZE, res::IDB_MINIMIZE, kMinimizePlace);
    PlaceWindowButton(res::IDC_BTN_CLOSE, res::IDB_CLOSE, kClosePlace);
    DlgItem<CButtonST>(res::IDC_BTN_SCAN)->ApplyTextButtonLook();
    InitFindByAddress();
    SetInitialTexts(*this);
    MoveItem(res::IDC_STATUS_LABEL, kStatusLabelPlace);
    MoveItem(res::IDC_VERSION_LABEL, kVersionLabelPlace);
    m_outcome_line = new COutcomeLine(this);
    m_outcome_line->setGeometry(kOutcomeLinePlace);
    connect(m_outcome_line->ReadAgainButton(), &QPushButton::clicked, this,
            &CZANDRELL_EX_NETWORKDlg::ReadAgain);
    // No control takes the focus when the window opens; the window itself holds it.
    setFocus(Qt::OtherFocusReason);
    return false;
}

void CZANDRELL_EX_NETWORKDlg::PlaceWindowButton(int id, int bitmap_id, const QRect& place) {
    auto* button = DlgItem<CButtonST>(id);
    button->Attach();
    button->SetButtonBitmap(bitmap_id);
    button->setGeometry(place);
    button->SetTransparentBackground(true);
    button->SetFlatLook(true);
    button->SetHoverBorder(false);
}

// The remembered addresses are asked on every search from the start.
void CZANDRELL_EX_NETWORKDlg::InitFindByAddress() {
    DlgItem<CButtonST>(res::IDC_BTN_FIND)->ApplyTextButtonLook();
    DlgItem<CButtonST>(res::IDC_BTN_FORGET)->ApplyTextButtonLook();
    QComboBox* field = FindAddressCombo();
    field->lineEdit()->setPlaceholderText(QStringLiteral("Device IP"));
    // The arrow part in the field's own dark grey too, with a plain grey arrow.
    field->setStyleSheet(
        QStringLiteral("QComboBox { color: %1; background: %2; border: 1px solid %3; "
                       "padding-left: 3px; }"
                       "QComboBox::drop-down { background: %2; border-left: 1px solid %3; "
                       "width: 16px; }"
                       "QComboBox::down-arrow { width: 0; height: 0; border-left: 4px solid %2; "
                       "border-right: 4px solid %2; border-top: 5px solid %4; }")
            .arg(kSkinFieldText.name(), kSkinFieldGround.name(), kSkinPageGround.name(),
                 kSkinLabelText.name()));
    field->setToolTip(QStringLiteral("A device that SCANNING does not find (on another subnet): "
                                     "type its address and press Enter or FIND"));
    DlgItem<CButtonST>(res::IDC_BTN_FIND)
        ->setToolTip(QStringLiteral("Look for a device at this address; when one answers, the "
                                    "address is remembered and asked on every search"));
    DlgItem<CButtonST>(res::IDC_BTN_FORGET)
        ->setToolTip(QStringLiteral("Stop asking this remembered address on every search"));
    m_search_addresses = LoadRememberedAddresses();
    FillRememberedList();
}

QComboBox* CZANDRELL_EX_NETWORKDlg::FindAddressCombo() const {
    return DlgItem<QComboBox>(res::IDC_FIND_ADDRESS);
}

QComboBox* CZANDRELL_EX_NETWORKDlg::DeviceCombo() const {
    return DlgItem<QComboBox>(res::IDC_DEVICE_COMBO);
}

QLabel* CZANDRELL_EX_NETWORKDlg::StatusLabel() const {
    return DlgItem<QLabel>(res::IDC_STATUS_LABEL);
}

void CZANDRELL_EX_NETWORKDlg::OnCommand(int id, Notify code) {
    if (code == Notify::SelChange && id == res::IDC_DEVICE_COMBO) {
        OnDeviceSelectionChanged(DeviceCombo()->currentIndex());
        return;
    }
    if (code != Notify::Clicked)
        return;
    switch (id) {
    case res::IDC_BTN_SCAN:
        ScanDevices();
        break;
    case res::IDC_BTN_FIND:
        OnFindDevice();
        break;
    case res::IDC_BTN_FORGET:
        OnForgetAddress();
        break;
    case res::IDC_BTN_MINIMIZE:
        showMinimized();
        break;
    case res::IDC_BTN_CLOSE:
        OnOK();
        break;
    default:
        break;
    }
}

bool CZANDRELL_EX_NETWORKDlg::PreTranslateMessage(QKeyEvent* key) {
    const QWidget* modal = QApplication::activeModalWidget();
    if (key->key() == Qt::Key_F5 && (modal == nullptr || modal == this)) {
        ReadAgain();
        return true;
    }
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (enter && FindAddressCombo()->isAncestorOf(QApplication::focusWidget())) {
        OnFindDevice();
        return true;
    }
    return CDialog::PreTranslateMessage(key);
}

void CZANDRELL_EX_NETWORKDlg::OnFindDevice() {
    QComboBox* field = FindAddressCombo();
    const TypedAddress typed = ParseTypedAddress(field->currentText());
    if (!typed.ip) {
        ShowAlert({typed.problem.toStdString(), kFindCaption, platform::AlertButtons::Ok});
        field->setFocus(Qt::OtherFocusReason);
        field->lineEdit()->selectAll();
        return;
    }
    const QString address = AddressText(*typed.ip);
    field->setEditText(address);
    switch (FindDeviceAt(*typed.ip)) {
    case FindOutcome::Listed:
        m_search_addresses = WithRemembered(m_search_addresses, *typed.ip);
        SaveRememberedAddresses(m_search_addresses);
        FillRememberedList();
        break;
    case FindOutcome::NoAnswer:
        ShowAlert({QStringLiteral("No device answered at %1 within %2 ms.")
                       .arg(address)
                       .arg(m_search_wait_ms)
                       .toStdString(),
                   kFindCaption, platform::AlertButtons::Ok});
        break;
    case FindOutcome::TableFull:
        ShowAlert({QStringLiteral("The device at %1 answered, but the device list already holds "
                                  "%2 devices.")
                       .arg(address)
                       .arg(kDeviceTableSize)
                       .toStdString(),
                   kFindCaption, platform::AlertButtons::Ok});
        break;
    case FindOutcome::NoSocket: // "Create socket err" has been shown
        break;
    }
}

// The device stays in the list until the next search, which no longer asks its address.
void CZANDRELL_EX_NETWORKDlg::OnForgetAddress() {
    const TypedAddress typed = ParseTypedAddress(FindAddressCombo()->currentText());
    const bool remembered =
        typed.ip && std::find(m_search_addresses.begin(), m_search_addresses.end(), *typed.ip) !=
                        m_search_addresses.end();
    if (!remembered) {
        ShowAlert({"Choose one of the remembered addresses in the list of the address field, "
                   "then press FORGET.",
                   kFindCaption, platform::AlertButtons::Ok});
        return;
    }
    std::erase(m_search_addresses, *typed.ip);
    SaveRememberedAddresses(m_search_addresses);
    FindAddressCombo()->setEditText(QString());
    FillRememberedList();
}

void CZANDRELL_EX_NETWORKDlg::FillRememberedList() {
    QComboBox* field = FindAddressCombo();
    const QString typed = field->currentText();
    field->clear();
    for (std::uint32_t ip : m_search_addresses)
        field->addItem(AddressText(ip));
    field->setEditText(typed);
}

CtlColor CZANDRELL_EX_NETWORKDlg::OnCtlColor(QWidget*, int id, CtlType type) {
    // The address field is the program's own text field.
    if (id == res::IDC_FIND_ADDRESS)
        return {kSkinFieldText, kSkinFieldGround, kSkinFieldGround};
    if (type == CtlType::Button)
        return {std::nullopt, kButtonGround, kButtonGround};
    if (type == CtlType::Static)
        return {QColor(Qt::black), kLabelGround, kLabelGround};
    return {};
}

void CZANDRELL_EX_NETWORKDlg::OnEraseBkgnd(QPainter& painter) {
    DrawStretchedBitmap(painter, rect(), res::IDB_MAIN_GROUND);
}

// A press on the background (or on a label, which lets it through) moves the window the way
// the platform moves windows by their title bar.
void CZANDRELL_EX_NETWORKDlg::OnLButtonDown(QMouseEvent*) {
    ++m_drag_requests;
    if (QWindow* window = windowHandle())
        window->startSystemMove();
}

#ifdef Q_OS_WIN
// The window menu (from the task-bar button or Alt+Space) carries the About item.
void CZANDRELL_EX_NETWORKDlg::AddAboutToWindowMenu() {
    HMENU menu = GetSystemMenu(reinterpret_cast<HWND>(winId()), FALSE);
    if (menu == nullptr)
        return;
    const std::wstring item = QString::fromUtf8(kAboutItem).toStdWString();
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kAboutCommand, item.c_str());
}

bool CZANDRELL_EX_NETWORKDlg::nativeEvent(const QByteArray& event_type, void* message,
                                          qintptr* result) {
    const MSG* msg = static_cast<const MSG*>(message);
    if (msg->message == WM_SYSCOMMAND && (msg->wParam & 0xFFF0) == kAboutCommand) {
        ShowAboutBox();
        *result = 0;
        return true;
    }
    return CDialog::nativeEvent(event_type, message, result);
}

void CZANDRELL_EX_NETWORKDlg::contextMenuEvent(QContextMenuEvent* event) {
    CDialog::contextMenuEvent(event);
}
#else
void CZANDRELL_EX_NETWORKDlg::AddAboutToWindowMenu() {}

bool CZANDRELL_EX_NETWORKDlg::nativeEvent(const QByteArray& event_type, void* message,
                                          qintptr* result) {
    return CDialog::nativeEvent(event_type, message, result);
}

// Without a window menu to reach, the About box comes from the background's menu.
void CZANDRELL_EX_NETWORKDlg::contextMenuEvent(QContextMenuEvent* event) {
    if (childAt(event->pos()) != nullptr)
        return;
    QMenu menu(this);
    menu.addAction(QString::fromUtf8(kAboutItem), this, &CZANDRELL_EX_NETWORKDlg::ShowAboutBox);
    menu.exec(event->globalPos());
}
#endif

void CZANDRELL_EX_NETWORKDlg::ShowAboutBox() {
    CAboutDlg about(this);
    about.Create();
    about.exec();
}

void CZANDRELL_EX_NETWORKDlg::ClearDeviceList() {
    DeviceCombo()->clear();
}

void CZANDRELL_EX_NETWORKDlg::InsertDeviceListItem(int index, const std::u16string& text) {
    DeviceCombo()->insertItem(index, QString::fromStdU16String(text));
}

int CZANDRELL_EX_NETWORKDlg::DeviceListCount() const {
    return DeviceCombo()->count();
}

std::u16string CZANDRELL_EX_NETWORKDlg::DeviceListItemText(int index) const {
    return DeviceCombo()->itemText(index).toStdU16String();
}

void CZANDRELL_EX_NETWORKDlg::SelectDeviceListItem(int index) {
    DeviceCombo()->setCurrentIndex(index);
}

void CZANDRELL_EX_NETWORKDlg::SetStatusText(const std::string& text) {
    StatusLabel()->setText(QString::fromStdString(text));
}

void CZANDRELL_EX_NETWORKDlg::ShowAlert(const platform::Alert& alert) {
    if (m_alert_handler) {
        m_alert_handler(alert);
        return;
    }
    const auto buttons = alert.buttons == platform::AlertButtons::OkCancel
                             ? QMessageBox::Ok | QMessageBox::Cancel
                             : QMessageBox::StandardButtons(QMessageBox::Ok);
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(alert.caption),
                    QString::fromStdString(alert.text), buttons);
    box.exec();
}

void CZANDRELL_EX_NETWORKDlg::CloseContainer() {
    if (!m_page)
        return;
    m_page->hide();
    m_page->DestroyWindow();
    m_page = nullptr;
}

void CZANDRELL_EX_NETWORKDlg::OpenContainer() {
    auto* page = new CKX7214(*this, m_rc_kx7214_show_mode_type, this);
    m_page = page;
    page->Create();
    page->setGeometry(m_page_rect);
    page->show();
    m_outcome_line->raise();
}

void CZANDRELL_EX_NETWORKDlg::InvalidatePreview() {
    if (m_page)
        m_page->InvalidatePreview();
    ShowUnappliedChanges();
}

// The session has added the report to its history already.
void CZANDRELL_EX_NETWORKDlg::ReportOutcome(const OutcomeReport&) {
    m_outcome_line->Show(Outcomes());
    ShowUnappliedChanges();
}

void CZANDRELL_EX_NETWORKDlg::OnControlNotified() {
    ShowUnappliedChanges();
}

// Only Manual Apply holds changes back; in Auto Apply every change has had its own outcome.
void CZANDRELL_EX_NETWORKDlg::ShowUnappliedChanges() {
    const bool manual = m_all_kx7214_page_data.kx7214_auto_or_manual_status != 0;
    m_outcome_line->SetUnapplied(manual ? UnappliedChanges() : 0);
}

void CZANDRELL_EX_NETWORKDlg::ReadAgain() {
    if (m_page)
        m_page->ReadAgain();
}

// F5 reads the device again wherever the focus is in the window; a modal box of its own
// keeps its keys.
// While a search or an exchange blocks the window it shows the wait cursor.
void CZANDRELL_EX_NETWORKDlg::SetBusy(bool busy) {
    if (busy) {
        ++m_busy_depth;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (m_busy_depth > 0) {
        --m_busy_depth;
        QApplication::restoreOverrideCursor();
    }
}

} // namespace kx::ui
