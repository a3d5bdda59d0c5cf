#include "ui/dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>

#include "ui/button_st.h"
#include "ui/dialog_units.h"
#include "ui/group_box.h"
#include "ui/ip_address_ctrl.h"
#include "ui/key_router.h"

namespace kx::ui {

namespace {

const char* const kIdProperty = "kx_control_id";

int IdOf(const QObject* control) {
    const QVariant id = control->property(kIdProperty);
    return id.isValid() ? id.toInt() : res::kNoControlId;
}

QString Caption(const res::ControlTemplate& c) {
    return QString::fromUtf8(c.caption.data(), qsizetype(c.caption.size()));
}

QWidget* CreateStatic(const res::ControlTemplate& c, QWidget* parent) {
    auto* label = new QLabel(Caption(c), parent);
    const Qt::Alignment horizontal = (c.style & res::kAlignRight) ? Qt::AlignRight : Qt::AlignLeft;
    label->setAlignment(horizontal | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QWidget* CreateEdit(const res::ControlTemplate& c, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setFrame((c.style & res::kBorder) != 0);
    edit->setReadOnly((c.style & res::kReadOnly) != 0);
    return edit;
}

QWidget* CreateButton(const res::ControlTemplate& c, QWidget* parent) {
    auto* button = new CButtonST(parent);
    button->setText(Caption(c));
    return button;
}

QWidget* CreateComboBox(QWidget* parent, bool editable) {
    auto* combo = new QComboBox(parent);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    // What is typed stays the field's text; the program decides what joins the list.
    combo->setEditable(editable);
    combo->setInsertPolicy(QComboBox::NoInsert);
    return combo;
}

// Static controls and group boxes let mouse input through to the dialog under them.
bool IsTransparentToMouse(res::ControlKind kind) {
    return kind == res::ControlKind::Static || kind == res::ControlKind::StaticFrame ||
           kind == res::ControlKind::GroupBox;
}

// A drop-down list's template height includes its open list; the closed box takes the
// height its font needs and the list shows as many rows as the rest holds.
void PlaceComboBox(QComboBox* combo, const QRect& r) {
    const int field = combo->sizeHint().height();
    combo->setGeometry(r.x(), r.y(), r.width(), field);
    const int row = combo->fontMetrics().height() + 2;
    combo->setMaxVisibleItems(std::max(1, (r.height() - field) / row));
}

} // namespace

CDialog::CDialog(const res::DialogTemplate& dialog_template, QWidget* parent)
    : QDialog(parent), m_template(dialog_template) {
    KeyRouter::Install();
    if (m_template.child)
        setWindowFlags(Qt::Widget);
}

CDialog::~CDialog() = default;

void CDialog::Create() {
    setFont(DialogFont(m_template));
    resize(DialogSizeInPixels(m_template));
    for (const res::ControlTemplate& control : m_template.controls)
        CreateControl(control);
    const bool focus_first = OnInitDialog();
    if (focus_first)
        focusNextChild();
    ApplyControlColors();
}

QWidget* CDialog::CreateControl(const res::ControlTemplate& c) {
    QWidget* widget = nullptr;
    switch (c.kind) {
    case res::ControlKind::PushButton:
        widget = CreateButton(c, this);
        break;
    case res::ControlKind::DropDownList:
    case res::ControlKind::DropDown:
        widget = CreateComboBox(this, c.kind == res::ControlKind::DropDown);
        break;
    case res::ControlKind::Static:
    case res::ControlKind::StaticFrame:
        widget = CreateStatic(c, this);
        break;
    case res::ControlKind::Edit:
        widget = CreateEdit(c, this);
        break;
    case res::ControlKind::GroupBox:
        widget = new CMyGroupBox(Caption(c), this);
        break;
    case res::ControlKind::IpAddress:
        widget = new CIPAddressCtrl(this);
        break;
    }
    widget->setProperty(kIdProperty, c.id);
    widget->setAttribute(Qt::WA_TransparentForMouseEvents, IsTransparentToMouse(c.kind));
    const QRect r = DialogUnitsToPixels(c, BaseUnitsFor(m_template.point_size));
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        PlaceComboBox(combo, r);
    else
        widget->setGeometry(r);
    widget->setVisible((c.style & res::kVisible) != 0);
    if (c.id != res::kNoControlId)
        m_items.insert(c.id, widget);
    Connect(widget, c.id);
    return widget;
}

void CDialog::Connect(QWidget* widget, int id) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        connect(button, &QAbstractButton::clicked, this, [this, id] {
            if (!m_destroyed)
                Dispatch(id, Notify::Clicked);
        });
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        // Only the operator's choice notifies; a selection made by the program does not.
        connect(combo, &QComboBox::activated, this, [this, id] {
            if (!m_destroyed)
                Dispatch(id, Notify::SelChange);
        });
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        connect(edit, &QLineEdit::textEdited, this, [this, id] {
            if (!m_destroyed)
                Dispatch(id, Notify::Update);
        });
        edit->installEventFilter(this);
    }
}

bool CDialog::eventFilter(QObject* watched, QEvent* event) {
    const bool focus_in = event->type() == QEvent::FocusIn;
    if ((focus_in || event->type() == QEvent::FocusOut) && !m_destroyed)
        Dispatch(IdOf(watched), focus_in ? Notify::SetFocus : Notify::KillFocus);
    return QDialog::eventFilter(watched, event);
}

void CDialog::Dispatch(int id, Notify code) {
    OnCommand(id, code);
    if (auto* top = qobject_cast<CDialog*>(window()))
        top->OnControlNotified();
}

QWidget* CDialog::GetDlgItem(int id) const {
    return m_items.value(id, nullptr);
}

void CDialog::MoveItem(int id, const QRect& pixels) {
    if (QWidget* item = GetDlgItem(id))
        item->setGeometry(pixels);
}

void CDialog::ApplyControlColors() {
    for (QWidget* control : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!control->property(kIdProperty).isValid())
            continue;
        const CtlType type = CtlTypeOf(control);
        ApplyCtlColor(control, OnCtlColor(control, IdOf(control), type));
    }
}

void CDialog::DestroyWindow() {
    if (m_destroyed)
        return;
    m_destroyed = true;
    // The dialogs inside go first, as the window system destroys children before parents.
    for (CDialog* child : findChildren<CDialog*>(Qt::FindDirectChildrenOnly))
        child->DestroyWindow();
    hide();
    PostNcDestroy();
}

bool CDialog::PreTranslateMessage(QKeyEvent* key) {
    return IsChildDialog() ? false : StandardDialogKey(key);
}

bool CDialog::StandardDialogKey(QKeyEvent* key) {
    switch (key->key()) {
    case Qt::Key_Escape:
        OnCancel();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
        if (button != nullptr && isAncestorOf(button) && button->isEnabled())
            button->click();
        else
            OnOK();
        return true;
    }
    default:
        return false;
    }
}

void CDialog::OnCommand(int, Notify) {}

CtlColor CDialog::OnCtlColor(QWidget*, int, CtlType) {
    return {};
}

void CDialog::OnEraseBkgnd(QPainter&) {}

void CDialog::OnPaint(QPainter&) {}

void CDialog::OnLButtonDown(QMouseEvent*) {}

void CDialog::PostNcDestroy() {}

void CDialog::OnOK() {
    accept();
}

void CDialog::OnCancel() {
    reject();
}

void CDialog::paintEvent(QPaintEvent* event) {
    m_paint_region = event->region();
    QPainter painter(this);
    OnEraseBkgnd(painter);
    OnPaint(painter);
}

void CDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && !m_destroyed)
        OnLButtonDown(event);
    QDialog::mousePressEvent(event);
}

} // namespace kx::ui
