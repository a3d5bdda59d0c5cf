#pragma once
// TSL UMD 5.0 over TCP: each packet starts with DLE STX (0xFE 0x02) and every 0xFE inside it is
// sent twice. The unwrapper finds the packets in the byte stream, however it is split into
// reads, and hands each one on without the stuffing.
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace kx::service {

inline constexpr std::uint8_t kTslDle = 0xFE;
inline constexpr std::uint8_t kTslStx = 0x02;

class TslStreamUnwrapper {
public:
    using PacketSink = std::function<void(std::span<const std::uint8_t>)>;

    // Every packet completed by these bytes goes to the sink. A packet longer than a v5.0
    // packet may be, or one broken by a 0xFE that is neither doubled nor a new start, is
    // dropped and the stream is searched for the next start.
    void Feed(std::span<const std::uint8_t> bytes, const PacketSink& sink);

private:
    enum class State { Hunting, HuntingAfterDle, InPacket, InPacketAfterDle };
    void Append(std::uint8_t byte, const PacketSink& sink);

    State m_state = State::Hunting;
    std::vector<std::uint8_t> m_packet;
};

} // namespace kx::service
