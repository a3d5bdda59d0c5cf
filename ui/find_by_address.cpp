#include "ui/find_by_address.h"

#include <QRegularExpression>
#include <QSettings>
#include <QStringList>
#include <algorithm>

#include "platform/socket.h"

namespace kx::ui {

namespace {

const char* const kOrganization = "KX7214";
const char* const kApplication = "kx7214-panel";
const char* const kAddressesKey = "find/addresses";
const char* const kExample = "for example 192.168.1.20";

QSettings PanelSettings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QString::fromLatin1(kOrganization),
                     QString::fromLatin1(kApplication));
}

std::optional<std::uint32_t> DottedQuad(const QString& text) {
    static const QRegularExpression quad(
        QStringLiteral("^(0|[1-9][0-9]{0,2})\\.(0|[1-9][0-9]{0,2})\\.(0|[1-9][0-9]{0,2})\\."
                       "(0|[1-9][0-9]{0,2})$"));
    const QRegularExpressionMatch m = quad.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    std::uint32_t ip = 0;
    for (int i = 1; i <= 4; ++i) {
        const uint part = m.captured(i).toUInt();
        if (part > 255)
            return std::nullopt;
        ip = (ip << 8) | part;
    }
    return ip;
}

} // namespace

TypedAddress ParseTypedAddress(const QString& text) {
    const QString typed = text.trimmed();
    if (typed.isEmpty())
        return {std::nullopt,
                QStringLiteral("Type the IPv4 address of a device, %1.").arg(kExample)};
    const std::optional<std::uint32_t> ip = DottedQuad(typed);
    if (!ip)
        return {std::nullopt,
                QStringLiteral("\"%1\" is not an IPv4 address. Type four numbers from 0 to 255 "
                               "separated by dots, %2.")
                    .arg(typed, kExample)};
    if (*ip == platform::kBroadcastIp)
        return {std::nullopt, QStringLiteral("255.255.255.255 is the broadcast that SCANNING "
                                             "sends. Type the address of one device.")};
    const std::uint32_t first = *ip >> 24;
    if (first == 0 || first >= 224)
        return {std::nullopt,
                QStringLiteral("%1 cannot be the address of a device.").arg(AddressText(*ip))};
    return {ip, {}};
}

std::vector<std::uint32_t> LoadRememberedAddresses() {
    std::vector<std::uint32_t> ips;
    const QStringList stored =
        PanelSettings().value(QString::fromLatin1(kAddressesKey)).toStringList();
    for (const QString& text : stored) {
        const TypedAddress a = ParseTypedAddress(text);
        if (a.ip && std::find(ips.begin(), ips.end(), *a.ip) == ips.end() &&
            ips.size() < kMaxRememberedAddresses)
            ips.push_back(*a.ip);
    }
    return ips;
}

void SaveRememberedAddresses(const std::vector<std::uint32_t>& ips) {
    QStringList texts;
    for (std::uint32_t ip : ips)
        texts.append(AddressText(ip));
    QSettings settings = PanelSettings();
    settings.setValue(QString::fromLatin1(kAddressesKey), texts);
    settings.sync();
}

std::vector<std::uint32_t> WithRemembered(std::vector<std::uint32_t> ips, std::uint32_t ip) {
    std::erase(ips, ip);
    ips.insert(ips.begin(), ip);
    if (ips.size() > kMaxRememberedAddresses)
        ips.resize(kMaxRememberedAddresses);
    return ips;
}

QString AddressText(std::uint32_t ip) {
    return QString::fromStdString(platform::InetNtoa(ip));
}

} // namespace kx::ui
