#pragma once
// The six tabs of the device page container: button, pictures, place, and the page each one
// opens. Adding a page is one entry in page_factory.cpp.
#include <span>

#include "ui/dialog.h"

namespace kx::ui {

using PageFactory = CDialog* (*)(QWidget* parent);

struct TabInfo {
    int tab; // 1..6
    int button_id;
    int normal_bitmap;
    int selected_bitmap;
    int x; // container pixels; every tab is at y 2 and 65 pixels high
    int width;
    PageFactory create;
};

inline constexpr int kTabTop = 2;
inline constexpr int kTabHeight = 65;

std::span<const TabInfo> Tabs();
const TabInfo* FindTab(int tab);

} // namespace kx::ui
