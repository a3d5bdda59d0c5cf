#pragma once
// The session's user interface for the command-line tool: the device list and status text
// stay in memory for the output, and every message box the core raises becomes a line on the
// tool's error stream.
#include <ostream>

#include "link/session_view.h"

namespace kx::cli {

class CliView : public HeadlessView {
public:
    explicit CliView(std::ostream& err) : m_err(err) {}
    void ShowAlert(const platform::Alert& alert) override;

private:
    std::ostream& m_err;
};

} // namespace kx::cli
