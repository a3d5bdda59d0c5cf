#pragma once
// Where each setting lies in the 235-byte configuration block. The same block travels as the
// payload of the set-all request and, three bytes further on (after the control-mode byte and
// the two firmware bytes), inside the read-all reply.
#include <cstddef>

#include "link/frame.h"

namespace kx::block {

inline constexpr std::size_t kSize = 235;

inline constexpr std::size_t kOutputFormat = 0;
inline constexpr std::size_t kBorderColor = 1;
inline constexpr std::size_t kOutputLayout = 2;
inline constexpr std::size_t kBorderEnable = 3;

inline constexpr std::size_t kDeviceName = 10;
inline constexpr std::size_t kDeviceNameSize = 17; // 16 name bytes and the terminating zero

// UMD line i starts at kUmdLine + i * kUmdStride.
inline constexpr std::size_t kUmdLine = 27;
inline constexpr std::size_t kUmdStride = 40;
inline constexpr std::size_t kUmdEnable = 0;
inline constexpr std::size_t kUmdPosition = 1;
inline constexpr std::size_t kUmdTextColor = 2;
inline constexpr std::size_t kUmdBackColor = 3;
inline constexpr std::size_t kUmdTextLength = 7; // in bytes: twice the UTF-16 code units
inline constexpr std::size_t kUmdText = 8;
inline constexpr std::size_t kUmdTextSize = 32;

// Audio meter of input i starts at kAudio + i * kAudioStride.
inline constexpr std::size_t kAudio = 187;
inline constexpr std::size_t kAudioStride = 6;
inline constexpr std::size_t kAudioEnable = 0;
inline constexpr std::size_t kAudioPosition = 1;
inline constexpr std::size_t kAudioChannel = 2;
// Only the device reports these two; the set-all block carries zero in their places.
inline constexpr std::size_t kAudioCombination = 3;
inline constexpr std::size_t kAudioTransparency = 4;

// Input-status label of input i starts at kInput + i * kInputStride.
inline constexpr std::size_t kInput = 211;
inline constexpr std::size_t kInputStride = 6;
inline constexpr std::size_t kInputEnable = 0;
inline constexpr std::size_t kInputPosition = 1;
inline constexpr std::size_t kInputTextColor = 2;
inline constexpr std::size_t kInputBackColor = 3;

inline constexpr std::size_t UmdAt(int line) {
    return kUmdLine + kUmdStride * std::size_t(line);
}
inline constexpr std::size_t AudioAt(int line) {
    return kAudio + kAudioStride * std::size_t(line);
}
inline constexpr std::size_t InputAt(int line) {
    return kInput + kInputStride * std::size_t(line);
}

static_assert(UmdAt(4) == kAudio && InputAt(4) == kSize);

} // namespace kx::block

namespace kx::readall {

// Offsets in the read-all reply frame.
inline constexpr std::size_t kControlMode = frame::kOffPayload;
inline constexpr std::size_t kFirmware = kControlMode + 1; // two bytes
inline constexpr std::size_t kBlock = kFirmware + 2;       // block byte k at reply byte 20 + k
inline constexpr std::size_t kPayloadSize = kBlock - frame::kOffPayload + block::kSize;
inline constexpr std::size_t kFrameSize = frame::kOverhead + kPayloadSize;

static_assert(kBlock + block::kSize == 255 && kFrameSize == 258);

} // namespace kx::readall

namespace kx::netcfg {

inline constexpr std::size_t kIp = 0;
inline constexpr std::size_t kMask = 4;
inline constexpr std::size_t kGateway = 8;
inline constexpr std::size_t kSize = 12;

} // namespace kx::netcfg
