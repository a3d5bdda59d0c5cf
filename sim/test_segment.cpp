#include "sim/test_segment.h"

#include "platform/socket.h"

#ifdef __linux__
#include <algorithm>
#include <cstring>
#include <linux/if_link.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <net/if.h>
#include <optional>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>
#endif

namespace kx::sim {

#ifdef __linux__
namespace {

struct Link {
    int index = 0;
    bool up = false;
    bool loopback = false;
    bool veth = false;
    int peer = 0;                // IFLA_LINK: the other end's index
    bool peer_elsewhere = false; // IFLA_LINK_NETNSID: the other end is in another namespace
};

bool IsVeth(const rtattr* link_info) {
    int len = static_cast<int>(RTA_PAYLOAD(link_info));
    for (auto* a = static_cast<const rtattr*>(RTA_DATA(link_info)); RTA_OK(a, len);
         a = RTA_NEXT(a, len))
        if (a->rta_type == IFLA_INFO_KIND)
            return std::strncmp(static_cast<const char*>(RTA_DATA(a)), "veth", RTA_PAYLOAD(a)) == 0;
    return false;
}

Link ParseLink(const nlmsghdr* h) {
    const auto* info = static_cast<const ifinfomsg*>(NLMSG_DATA(h));
    Link link;
    link.index = info->ifi_index;
    link.up = (info->ifi_flags & IFF_UP) != 0;
    link.loopback = (info->ifi_flags & IFF_LOOPBACK) != 0;
    int len = static_cast<int>(IFLA_PAYLOAD(h));
    for (const rtattr* a = IFLA_RTA(info); RTA_OK(a, len); a = RTA_NEXT(a, len)) {
        if (a->rta_type == IFLA_LINK && RTA_PAYLOAD(a) >= sizeof(int))
            std::memcpy(&link.peer, RTA_DATA(a), sizeof(int));
        else if (a->rta_type == IFLA_LINK_NETNSID)
            link.peer_elsewhere = true;
        else if (a->rta_type == IFLA_LINKINFO)
            link.veth = IsVeth(a);
    }
    return link;
}

// Asks for every link and reads the answer to its end. Nothing when it cannot be read whole.
std::optional<std::vector<Link>> DumpLinks(int fd) {
    struct {
        nlmsghdr header;
        ifinfomsg body;
    } request{};
    request.header.nlmsg_len = sizeof request;
    request.header.nlmsg_type = RTM_GETLINK;
    request.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
    request.body.ifi_family = AF_UNSPEC;
    if (send(fd, &request, sizeof request, 0) != static_cast<ssize_t>(sizeof request))
        return std::nullopt;
    std::vector<Link> links;
    std::vector<std::uint32_t> buffer(16384); // 64 KiB, aligned for the message headers
    const std::size_t capacity = buffer.size() * sizeof buffer[0];
    for (;;) {
        const ssize_t n = recv(fd, buffer.data(), capacity, MSG_TRUNC);
        if (n <= 0 || static_cast<std::size_t>(n) > capacity)
            return std::nullopt;
        int left = static_cast<int>(n);
        for (auto* h = reinterpret_cast<const nlmsghdr*>(buffer.data()); NLMSG_OK(h, left);
             h = NLMSG_NEXT(h, left)) {
            if (h->nlmsg_type == NLMSG_DONE)
                return links;
            if (h->nlmsg_type == NLMSG_ERROR)
                return std::nullopt;
            if (h->nlmsg_type == RTM_NEWLINK)
                links.push_back(ParseLink(h));
        }
    }
}

// Every link of this namespace, from the kernel's routing socket: the /sys tree may still show
// the links of the namespace it was mounted in.
std::optional<std::vector<Link>> ListLinks() {
    const int fd = socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_ROUTE);
    if (fd < 0)
        return std::nullopt;
    auto links = DumpLinks(fd);
    close(fd);
    return links;
}

bool ClosedVeth(const Link& link, const std::vector<Link>& links) {
    if (!link.veth || link.peer_elsewhere || link.peer == link.index)
        return false;
    return std::any_of(links.begin(), links.end(), [&](const Link& other) {
        return other.index == link.peer && other.veth && other.peer == link.index;
    });
}

} // namespace

bool TestSegmentIsolated() {
    const auto links = ListLinks();
    if (!links)
        return false;
    return std::all_of(links->begin(), links->end(), [&](const Link& link) {
        return !link.up || link.loopback || ClosedVeth(link, *links);
    });
}
#else
// Elsewhere the test segment is never built, so its addresses are never used.
bool TestSegmentIsolated() {
    return false;
}
#endif

std::string TestSegmentAddressProblem(std::uint32_t ip) {
    const std::string text = platform::InetNtoa(ip);
    if (ip == kSegmentNet || ip == kSegmentBroadcast)
        return text + " is not a host address";
    if (ip == kSegmentPcIp)
        return text + " is the PC's own address on the test segment, where the panel's replies "
                      "arrive";
    if (!TestSegmentIsolated())
        return text + " is on the test segment (192.0.2.0/24), which is used only where every "
                      "interface is loopback or one end of a veth pair whose both ends are here";
    return {};
}

} // namespace kx::sim
