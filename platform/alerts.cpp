#include "platform/alerts.h"

#include <cstdio>

namespace kx::platform {

void PrintAlertToStderr(const Alert& alert) {
    if (alert.caption.empty())
        std::fprintf(stderr, "%s\n", alert.text.c_str());
    else
        std::fprintf(stderr, "%s: %s\n", alert.caption.c_str(), alert.text.c_str());
}

} // namespace kx::platform
