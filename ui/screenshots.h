#pragma once
// Writes the README pictures of the panel after a search in the demo.
#include <QString>

namespace kx::sim {
class DeviceHost;
}

namespace kx::ui {

class CZANDRELL_EX_NETWORKDlg;

// main-window.png, status-page.png, tab-1.png .. tab-6.png, preview-studio-a.png and, with
// the second device, preview-edit-b.png and main-window-edit-b.png in `dir`; then the
// outcome line in each of its states (outcome-*.png), for which the first demo device is made
// to refuse and to stay silent. False when one of them cannot be written.
bool WriteScreenshots(CZANDRELL_EX_NETWORKDlg& main, sim::DeviceHost& devices, const QString& dir);

} // namespace kx::ui
