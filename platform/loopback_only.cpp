#include "platform/loopback_only.h"

#ifdef _WIN32
// winsock2.h first: iphlpapi.h pulls in windows.h, which would bring the old socket header.
#include <winsock2.h>

#include <iphlpapi.h>

#include <vector>
#else
#include <ifaddrs.h>
#include <net/if.h>
#endif

namespace kx::platform {

#ifdef _WIN32
std::string NonLoopbackInterface() {
    ULONG size = 16 * 1024;
    std::vector<unsigned char> buffer;
    ULONG result = ERROR_BUFFER_OVERFLOW;
    // The list can grow between the call that sizes the buffer and the one that fills it.
    for (int attempt = 0; attempt < 3 && result == ERROR_BUFFER_OVERFLOW; ++attempt) {
        buffer.resize(size);
        result = GetAdaptersAddresses(
            AF_UNSPEC, GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST, nullptr,
            reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()), &size);
    }
    if (result == ERROR_NO_DATA)
        return {};
    if (result != NO_ERROR)
        return "(the network adapters cannot be listed: error " + std::to_string(result) + ")";
    for (auto* a = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()); a != nullptr;
         a = a->Next)
        if (a->IfType != IF_TYPE_SOFTWARE_LOOPBACK)
            return a->AdapterName;
    return {};
}
#else
// Every interface appears in the list, with or without an address (as its link-layer entry).
std::string NonLoopbackInterface() {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return "(the network interfaces cannot be listed)";
    std::string name;
    for (ifaddrs* i = list; i != nullptr && name.empty(); i = i->ifa_next)
        if ((i->ifa_flags & IFF_LOOPBACK) == 0)
            name = i->ifa_name;
    freeifaddrs(list);
    return name;
}
#endif

} // namespace kx::platform
