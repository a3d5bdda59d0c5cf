#include "platform/interfaces.h"

#include <algorithm>

#ifdef _WIN32
// Winsock's headers must come before the helper API's.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <iphlpapi.h>
#else
#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#endif

#include "platform/socket.h"

namespace kx::platform {
namespace {

// A broadcast of 0 (an address added without one) or the limited broadcast names no segment
// of its own.
void AddBroadcast(std::vector<std::uint32_t>& out, std::uint32_t broadcast) {
    if (broadcast == 0 || broadcast == kBroadcastIp)
        return;
    if (std::find(out.begin(), out.end(), broadcast) == out.end())
        out.push_back(broadcast);
}

#ifdef _WIN32
// The adapters of one address family into buffer; the system's result code.
ULONG ListAdapters(ULONG family, std::vector<unsigned char>& buffer) {
    constexpr ULONG kFlags = GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST |
                             GAA_FLAG_SKIP_DNS_SERVER | GAA_FLAG_SKIP_FRIENDLY_NAME;
    // The list grows between the size query and the call when an adapter comes up; ask again.
    ULONG size = 16 * 1024;
    ULONG result = ERROR_BUFFER_OVERFLOW;
    for (int attempt = 0; attempt < 3 && result == ERROR_BUFFER_OVERFLOW; ++attempt) {
        buffer.resize(size);
        result = GetAdaptersAddresses(
            family, kFlags, nullptr, reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()), &size);
    }
    return result;
}

const IP_ADAPTER_ADDRESSES* FirstAdapter(const std::vector<unsigned char>& buffer) {
    return reinterpret_cast<const IP_ADAPTER_ADDRESSES*>(buffer.data());
}
#endif

} // namespace

#ifdef _WIN32

std::vector<std::uint32_t> DirectedBroadcastAddresses() {
    std::vector<unsigned char> buffer;
    std::vector<std::uint32_t> out;
    if (ListAdapters(AF_INET, buffer) != NO_ERROR)
        return out;
    for (const auto* a = FirstAdapter(buffer); a != nullptr; a = a->Next) {
        if (a->OperStatus != IfOperStatusUp || a->IfType == IF_TYPE_SOFTWARE_LOOPBACK)
            continue;
        for (const auto* u = a->FirstUnicastAddress; u != nullptr; u = u->Next) {
            const auto* sa = reinterpret_cast<const sockaddr_in*>(u->Address.lpSockaddr);
            const unsigned prefix = u->OnLinkPrefixLength;
            // /31 and /32 links have no broadcast address.
            if (sa->sin_family != AF_INET || prefix > 30)
                continue;
            const std::uint32_t host_bits = prefix == 0 ? 0xFFFFFFFFu : 0xFFFFFFFFu >> prefix;
            AddBroadcast(out, ntohl(sa->sin_addr.s_addr) | host_bits);
        }
    }
    return out;
}

std::string NonLoopbackInterface() {
    std::vector<unsigned char> buffer;
    const ULONG result = ListAdapters(AF_UNSPEC, buffer);
    if (result == ERROR_NO_DATA)
        return {};
    if (result != NO_ERROR)
        return "(the network adapters cannot be listed: error " + std::to_string(result) + ")";
    for (const auto* a = FirstAdapter(buffer); a != nullptr; a = a->Next)
        if (a->IfType != IF_TYPE_SOFTWARE_LOOPBACK)
            return a->AdapterName;
    return {};
}

#else

std::vector<std::uint32_t> DirectedBroadcastAddresses() {
    std::vector<std::uint32_t> out;
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return out;
    for (const ifaddrs* i = list; i != nullptr; i = i->ifa_next) {
        const unsigned flags = i->ifa_flags;
        if (i->ifa_addr == nullptr || i->ifa_addr->sa_family != AF_INET || (flags & IFF_UP) == 0 ||
            (flags & IFF_LOOPBACK) != 0 || (flags & IFF_BROADCAST) == 0 ||
            i->ifa_broadaddr == nullptr)
            continue;
        const auto* address = reinterpret_cast<const sockaddr_in*>(i->ifa_addr);
        const auto* broadcast = reinterpret_cast<const sockaddr_in*>(i->ifa_broadaddr);
        // An address added without a broadcast reports itself in its place.
        if (broadcast->sin_addr.s_addr != address->sin_addr.s_addr)
            AddBroadcast(out, ntohl(broadcast->sin_addr.s_addr));
    }
    freeifaddrs(list);
    return out;
}

// Every interface appears in the list, with or without an address (as its link-layer entry).
std::string NonLoopbackInterface() {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return "(the network interfaces cannot be listed)";
    std::string name;
    for (const ifaddrs* i = list; i != nullptr && name.empty(); i = i->ifa_next)
        if ((i->ifa_flags & IFF_LOOPBACK) == 0)
            name = i->ifa_name;
    freeifaddrs(list);
    return name;
}

#endif

} // namespace kx::platform
