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
#include "ui/list_style.h"

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
    combo->setStyle(CListStyle::Instance());
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

bool IsLabel(const QWidget* w) {
    return qobject_cast<const QLabel*>(w) != nullptr;
}

// The control a label names: the nearest one right of it that shares some of its rows.
const QWidget* ControlBeside(const QLabel* label, const QList<QWidget*>& controls) {
    const QRect l = label->geometry();
    const QWidget* nearest = nullptr;
    for (const QWidget* c : controls) {
        const QRect r = c->geometry();
        const bool beside = r.left() > l.left() && r.top() <= l.bottom() && l.top() <= r.bottom();
        if (beside && !c->isHidden() && (nearest == nullptr || r.left() < nearest->x()))
            nearest = c;
    }
    return nearest;
}

// A label the program never addresses (it has no id) only names the control beside it; the
// control centres its text on its height, so the label does the same on the control's rows.
void LevelLabelsWithTheirControls(QWidget* dialog) {
    QList<QWidget*> controls;
    for (QWidget* w : dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!IsLabel(w) && !w->testAttribute(Qt::WA_TransparentForMouseEvents))
            controls.append(w);
    for (QLabel* label : dialog->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (IdOf(label) != res::kNoControlId || label->isHidden())
            continue;
        if (const QWidget* control = ControlBeside(label, controls)) {
            label->setGeometry(label->x(), control->y(), label->width(), control->height());
            label->setAlignment((label->alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter);
        }
    }
}

} // namespace

bool IsEnterKey(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

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
    LevelLabelsWithTheirControls(this);
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

// An edit's own context menu takes the keyboard for as long as it is open and gives it back;
// the edit has not lost the focus to another control, so neither change notifies.
bool CDialog::eventFilter(QObject* watched, QEvent* event) {
    const bool focus_in = event->type() == QEvent::FocusIn;
    if ((focus_in || event->type() == QEvent::FocusOut) && !m_destroyed &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
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
        const int id = IdOf(control);
        ApplyCtlColor(control, OnCtlColor(control, id, CtlTypeOf(control)),
                      OnCtlColor(control, id, DisabledCtlTypeOf(control)));
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
    if (key->key() == Qt::Key_Escape) {
        OnCancel();
        return true;
    }
    if (!IsEnterKey(key))
        return false;
    if (!PressFocusedButton())
        OnOK();
    return true;
}

bool CDialog::PressFocusedButton() {
    auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
    if (button == nullptr || !isAncestorOf(button) || !button->isEnabled())
        return false;
    button->click();
    return true;
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

// A press belongs to the window under the mouse alone. A child dialog keeps it: passed on,
// it would reach the main window, which moves itself on a press on its background.
void CDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && !m_destroyed)
        OnLButtonDown(event);
    QDialog::mousePressEvent(event);
    if (IsChildDialog())
        event->accept();
}

} // namespace kx::ui
