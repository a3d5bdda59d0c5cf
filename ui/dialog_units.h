#pragma once
// Dialog units to pixels, and the font a template's controls are drawn with.
#include <QFont>
#include <QRect>

#include "res/dialog_template.h"

namespace kx::ui {

// Horizontal and vertical base units of a template font at 96 dpi: x pixels = x * cx / 4,
// y pixels = y * cy / 8, each rounded half away from zero.
struct BaseUnits {
    int cx;
    int cy;
};
BaseUnits BaseUnitsFor(int point_size);

int DialogUnitsToPixelsX(int units, BaseUnits base);
int DialogUnitsToPixelsY(int units, BaseUnits base);
QRect DialogUnitsToPixels(const res::ControlTemplate& control, BaseUnits base);
QSize DialogSizeInPixels(const res::DialogTemplate& dialog);

// The template's font when the system has it; otherwise the default sans-serif at the pixel
// size of the template's point size, made smaller until every caption fits its control.
QFont DialogFont(const res::DialogTemplate& dialog);

} // namespace kx::ui
