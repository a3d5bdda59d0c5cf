#include "ui/ctl_color.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/button_st.h"
#include "ui/group_box.h"

namespace kx::ui {

namespace {

bool IsEntryControl(const QWidget* control) {
    return qobject_cast<const QLineEdit*>(control) != nullptr ||
           qobject_cast<const QComboBox*>(control) != nullptr;
}

void ApplyText(QPalette& palette, QPalette::ColorGroup group, const QColor& c) {
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(group, role, c);
}

void ApplyBrush(QWidget* control, QPalette& palette, QPalette::ColorGroup group, const QColor& c) {
    // A group box paints only its frame; the ground shows through its inside.
    if (qobject_cast<CMyGroupBox*>(control) != nullptr)
        return;
    if (IsEntryControl(control)) {
        for (QPalette::ColorRole role : {QPalette::Base, QPalette::Button})
            palette.setColor(group, role, c);
        return;
    }
    palette.setColor(group, QPalette::Window, c);
    control->setAutoFillBackground(true);
}

void ApplyAnswer(QWidget* control, QPalette& palette, QPalette::ColorGroup group,
                 const CtlColor& colors) {
    if (colors.text)
        ApplyText(palette, group, *colors.text);
    if (colors.brush)
        ApplyBrush(control, palette, group, *colors.brush);
    else if (colors.text_background)
        ApplyBrush(control, palette, group, *colors.text_background);
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

CtlType DisabledCtlTypeOf(const QWidget* control) {
    return IsEntryControl(control) ? CtlType::Static : CtlTypeOf(control);
}

void ApplyCtlColor(QWidget* control, const CtlColor& colors, const CtlColor& disabled_colors) {
    // A skinned button paints itself; its own answer is a hollow brush.
    if (auto* button = qobject_cast<CButtonST*>(control); button && button->IsOwnerDraw())
        return;
    QPalette palette = control->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        ApplyAnswer(control, palette, group, colors);
    ApplyAnswer(control, palette, QPalette::Disabled, disabled_colors);
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
