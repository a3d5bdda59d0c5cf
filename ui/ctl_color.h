#pragma once
// Control colours: which kind of control asks, and what a dialog answers. The dialog layer
// applies the answer to the control's palette.
#include <QColor>
#include <QWidget>
#include <optional>

namespace kx::ui {

// The panel's skin: labels grey on the dark page ground, edits and lists dark text on white,
// the program's own text fields light grey on dark grey.
inline const QColor kSkinLabelText{0x80, 0x80, 0x80};
inline const QColor kSkinPageGround{0x2E, 0x31, 0x36};
inline const QColor kSkinEditText{0x10, 0x10, 0x10};
inline const QColor kSkinEditGround{0xFF, 0xFF, 0xFF};
inline const QColor kSkinFieldText{0xC0, 0xC0, 0xC0};
inline const QColor kSkinFieldGround{0x40, 0x40, 0x40};

// The kind of control, as it asks for its colours. Read-only edits and group boxes ask as
// static controls; drop-down lists ask for their list.
enum class CtlType { Button, Edit, ListBox, Static };

struct CtlColor {
    std::optional<QColor> text;
    std::optional<QColor> text_background;
    std::optional<QColor> brush; // fills the control's background
};

CtlType CtlTypeOf(const QWidget* control);
// How the control asks while it is disabled: a disabled edit or list asks as a static control,
// so that it takes the look of the page's labels.
CtlType DisabledCtlTypeOf(const QWidget* control);
// The control's palette takes the answer it gets while enabled and the one while disabled.
void ApplyCtlColor(QWidget* control, const CtlColor& colors, const CtlColor& disabled_colors);

// The handler shared by the device page container and the pages that have no colours of
// their own: edits and lists dark text on white, labels grey on the page ground.
CtlColor SharedCtlColor(CtlType type);

} // namespace kx::ui
