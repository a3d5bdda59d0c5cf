#include "service/tsl_datagram.h"

#include "service/tsl_v31.h"
#include "service/tsl_v50.h"

namespace kx::service {

std::vector<TslUpdate> ParseTslDatagram(std::span<const std::uint8_t> datagram) {
    std::vector<TslUpdate> updates;
    if (!tsl50::IsExactPacket(datagram) && tsl31::LooksLikeV31(datagram))
        tsl31::Parse(datagram, updates);
    else
        tsl50::Parse(datagram, updates);
    return updates;
}

} // namespace kx::service
