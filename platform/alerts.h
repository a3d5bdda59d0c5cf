#pragma once
// A message box the core asks the user interface to show. The desktop panel shows it as a
// dialog; the command-line tool prints it to standard error; tests record it.
#include <string>

namespace kx::platform {

enum class AlertButtons { Ok, OkCancel };

struct Alert {
    std::string text;
    std::string caption;
    AlertButtons buttons = AlertButtons::Ok;
    bool operator==(const Alert&) const = default;
};

void PrintAlertToStderr(const Alert& alert);

} // namespace kx::platform
