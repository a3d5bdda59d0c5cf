#include "service/tsl_message.h"

namespace kx::service {

std::u16string DisplayableText(std::u16string text) {
    for (char16_t& c : text)
        if (c < 0x20 || c == 0x7F)
            c = u' ';
    return text;
}

} // namespace kx::service
