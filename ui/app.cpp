#include "ui/app.h"

#include <memory>

#include "ui/main_dialog.h"

namespace kx::ui {

int CZANDRELL_EX_NETWORKApp::InitInstance(const Hook& hook) {
    auto dialog = std::make_unique<CZANDRELL_EX_NETWORKDlg>();
    dialog->Create();
    if (hook)
        hook(*dialog);
    dialog->exec();
    // The container and its page are destroyed with the window and say so.
    dialog->DestroyWindow();
    return 0;
}

} // namespace kx::ui
