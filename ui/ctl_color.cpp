#include "ui/ctl_color.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/button_st.h"
#include "ui/group_box.h"

namespace kx::ui {

namespace {

// What the system draws a disabled list or edit with: grey text on a light grey ground, so an
// operator sees at once which rows the current settings switch off.
const QColor kDisabledText{0x6D, 0x6D, 0x6D};
const QColor kDisabledGround{0xF0, 0xF0, 0xF0};

bool IsEntryControl(const QWidget* control) {
    return qobject_cast<const QLineEdit*>(control) != nullptr ||
           qobject_cast<const QComboBox*>(control) != nullptr;
}

void ApplyText(QWidget* control, QPalette& palette, const QColor& c) {
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(role, c);
        if (IsEntryControl(control))
            palette.setColor(QPalette::Disabled, role, kDisabledText);
    }
}

void ApplyBrush(QWidget* control, QPalette& palette, const QColor& c) {
    // A group box paints only its frame; the ground shows through its inside.
    if (qobject_cast<CMyGroupBox*>(control) != nullptr)
        return;
    if (IsEntryControl(control)) {
        for (QPalette::ColorRole role : {QPalette::Base, QPalette::Button}) {
            palette.setColor(role, c);
            palette.setColor(QPalette::Disabled, role, kDisabledGround);
        }
        return;
    }
    palette.setColor(QPalette::Window, c);
    control->setAutoFillBackground(true);
}

} // namespace

CtlType CtlTypeOf(const QWidget* control) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->isReadOnly() ? CtlType::Static : CtlType::Edit;
    if (qobject_cast<const QComboBox*>(control) != nullptr)
        return CtlType::ListBox;
    if (qobject_cast<const QPushButton*>(control) != nullptr)
        return CtlType::Button;
    return CtlType::Static;
}

void ApplyCtlColor(QWidget* control, const CtlColor& colors) {
    // A skinned button paints itself; its own answer is a hollow brush.
    if (auto* button = qobject_cast<CButtonST*>(control); button && button->IsOwnerDraw())
        return;
    QPalette palette = control->palette();
    if (colors.text)
        ApplyText(control, palette, *colors.text);
    if (colors.brush)
        ApplyBrush(control, palette, *colors.brush);
    else if (colors.text_background)
        ApplyBrush(control, palette, *colors.text_background);
    control->setPalette(palette);
}

CtlColor SharedCtlColor(CtlType type) {
    switch (type) {
    case CtlType::Edit:
    case CtlType::ListBox:
        return {kSkinEditText, kSkinEditGround, kSkinEditGround};
    case CtlType::Static:
        return {kSkinLabelText, kSkinPageGround, kSkinPageGround};
    case CtlType::Button:
        break;
    }
    return {};
}

} // namespace kx::ui
