#pragma once
// The application object: runs the main window modally and ends when it closes.
#include <functional>

namespace kx::ui {

class CZANDRELL_EX_NETWORKDlg;

class CZANDRELL_EX_NETWORKApp {
public:
    // Runs once the main window has been created, before its modal loop (the demo's
    // screenshots and the start-up probe use it).
    using Hook = std::function<void(CZANDRELL_EX_NETWORKDlg&)>;

    // Shows the main window until it closes; returns the process exit status.
    int InitInstance(const Hook& hook = {});
};

} // namespace kx::ui
