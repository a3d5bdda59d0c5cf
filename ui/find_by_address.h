#pragma once
// Finding a device by its address, for devices that no broadcast reaches (another subnet):
// what the operator may type, and the addresses found this way, which the panel keeps per
// user and asks again on every search.
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace kx::ui {

// At most this many addresses are remembered; the oldest is dropped first.
inline constexpr std::size_t kMaxRememberedAddresses = 32;

struct TypedAddress {
    std::optional<std::uint32_t> ip; // host byte order
    QString problem;                 // why the text is refused, when ip is empty
};

// Four decimal numbers 0..255 without leading zeros, blanks around them ignored. Refused:
// anything else, and addresses no single device can have (0.x.x.x, the limited broadcast,
// multicast and reserved ones).
TypedAddress ParseTypedAddress(const QString& text);

// The remembered addresses, most recent first, from the panel's own per-user settings file
// (not the settings file that Load Settings reads). Entries that are not device addresses, and
// repeats, are skipped.
std::vector<std::uint32_t> LoadRememberedAddresses();
void SaveRememberedAddresses(const std::vector<std::uint32_t>& ips);

// The list with ip first (moved there if it was already in it), cut to the maximum.
std::vector<std::uint32_t> WithRemembered(std::vector<std::uint32_t> ips, std::uint32_t ip);

QString AddressText(std::uint32_t ip);

} // namespace kx::ui
