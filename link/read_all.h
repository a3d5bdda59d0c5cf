#pragma once
// Reading the device's whole configuration out of an accepted read-all reply, and the device
// name as it travels to the device.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "model/session_state.h"

namespace kx {

// Decodes the reply (len bytes arrived; everything past them reads as zero) into the record,
// the device name, the UMD texts and the control-mode byte, with the diagnostic lines the
// field engineers know. The Apply mode stays as it is.
void DecodeReadAll(const std::uint8_t* reply, std::size_t len, SessionState& state);

// The name in the system ANSI code page without terminator, cut to the 16 bytes the device
// keeps.
std::string DeviceNameBytes(const std::u16string& name);

// The configuration block the set-all request would carry for this state; the state is left
// as it is.
std::array<std::uint8_t, kAllDataBlockSize> PackedBlock(const SessionState& state);

// Writes the record, the name and the UMD texts into m_all_data_block as the set-all request
// carries them. A record audio position of 1 becomes 2, in the record too.
void PackAllDataBlock(SessionState& state);

} // namespace kx
