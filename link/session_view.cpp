#include "link/session_view.h"

namespace kx {

void HeadlessView::ClearDeviceList() {
    list_items.clear();
    selected_item = -1;
}

void HeadlessView::InsertDeviceListItem(int index, const std::u16string& text) {
    list_items.insert(list_items.begin() + index, text);
}

std::u16string HeadlessView::DeviceListItemText(int index) const {
    return index >= 0 && index < DeviceListCount() ? list_items[static_cast<std::size_t>(index)]
                                                   : std::u16string();
}

void HeadlessView::ShowAlert(const platform::Alert& alert) {
    alerts.push_back(alert);
    if (print_alerts)
        platform::PrintAlertToStderr(alert);
}

void HeadlessView::OpenContainer() {
    container_open = true;
    ++containers_opened;
}

} // namespace kx
