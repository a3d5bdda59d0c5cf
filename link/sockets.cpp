// Opening and closing the one socket the session owns. Every exchange opens it bound to port
// 7000, because the device answers to port 7000 of the sender.
#include "link/session.h"
#include "platform/log.h"

namespace kx {

using namespace platform;

int CKX7214Session::StartWinsock() {
    if (SocketStartup())
        return 1;
    m_view.ShowAlert({"WSAStartup failed with error\n", "", AlertButtons::Ok});
    return 0;
}

// A failed socket() leaves the socket layer started: the next search or exchange simply tries
// again instead of failing for the rest of the run.
int CKX7214Session::OpenBroadcastSocket() {
    if (m_udpSockfd != kNoSocket)
        return 1;
    m_udpSockfd = OpenUdpSocket(UdpProtocol());
    if (m_udpSockfd == kNoSocket)
        return 0;
    m_dest_addr = {kBroadcastIp, frame::kPort};
    EnableBroadcast(m_udpSockfd);
    if (!Bind(m_udpSockfd, {kAnyIp, frame::kPort})) {
        Log("bind  socket fail \n");
        return 0;
    }
    SetNonBlocking(m_udpSockfd);
    return 1;
}

int CKX7214Session::OpenDeviceSocket() {
    if (m_udpSockfd != kNoSocket) {
        Log("m_udpSockfd have on live \n");
        return 1;
    }
    m_udpSockfd = OpenUdpSocket(0);
    if (m_udpSockfd == kNoSocket)
        return 0;
    m_dest_addr = {};
    if (!HasSelectedDevice()) {
        m_view.ShowAlert({"Please choose a device", "Err", AlertButtons::Ok});
        CloseSocket();
        return 0;
    }
    Log("m_device_index = %d \n", m_device_index);
    const device_entry& entry = m_device_list[static_cast<std::size_t>(m_device_index)];
    char ip[sizeof entry.ip_text + 1] = {};
    std::copy(std::begin(entry.ip_text), std::end(entry.ip_text), ip);
    m_dest_addr = {InetAddr(ip), frame::kPort};
    if (!Bind(m_udpSockfd, {kAnyIp, frame::kPort}))
        return 0;
    SetNonBlocking(m_udpSockfd);
    return 1;
}

void CKX7214Session::CloseSocket() {
    if (m_udpSockfd == kNoSocket)
        return;
    platform::CloseSocket(m_udpSockfd);
    m_udpSockfd = kNoSocket;
}

} // namespace kx
