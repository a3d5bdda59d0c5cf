#include "ui/empty_page.h"

#include <array>

namespace kx::ui {

namespace {

// 640 x 200 pixels in the pages' 8-point dialog units.
constexpr int kPageWidthUnits = 427;
constexpr int kPageHeightUnits = 123;

const res::DialogTemplate& EmptyTemplate(int id) {
    static std::array<res::DialogTemplate, 5> templates = {{
        {res::IDD_KX7214_SCALE, kPageWidthUnits, kPageHeightUnits, "MS Shell Dlg", 8, true, {}},
        {res::IDD_KX7214_OVERLAY, kPageWidthUnits, kPageHeightUnits, "MS Shell Dlg", 8, true, {}},
        {res::IDD_KX7214_SETTING, kPageWidthUnits, kPageHeightUnits, "MS Shell Dlg", 8, true, {}},
        {res::IDD_KX7214_AUDIO, kPageWidthUnits, kPageHeightUnits, "MS Shell Dlg", 8, true, {}},
        {res::IDD_KX7214_INPUT, kPageWidthUnits, kPageHeightUnits, "MS Shell Dlg", 8, true, {}},
    }};
    for (const res::DialogTemplate& t : templates)
        if (t.id == id)
            return t;
    return templates.front();
}

} // namespace

CEmptyPage::CEmptyPage(int template_id, QWidget* parent)
    : CPageDialog(EmptyTemplate(template_id), parent) {}

} // namespace kx::ui
