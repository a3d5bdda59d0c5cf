#include "cli/cli_view.h"

namespace kx::cli {

void CliView::ShowAlert(const platform::Alert& alert) {
    HeadlessView::ShowAlert(alert);
    if (!alert.caption.empty())
        m_err << alert.caption << ": ";
    m_err << alert.text << '\n';
    m_err.flush();
}

} // namespace kx::cli
