#include "service/tsl_stream.h"

#include "service/tsl_v50.h"

namespace kx::service {

void TslStreamUnwrapper::Feed(std::span<const std::uint8_t> bytes, const PacketSink& sink) {
    for (const std::uint8_t b : bytes) {
        switch (m_state) {
        case State::Hunting:
            m_state = b == kTslDle ? State::HuntingAfterDle : State::Hunting;
            break;
        case State::HuntingAfterDle:
            m_packet.clear();
            m_state = b == kTslStx ? State::InPacket : State::Hunting;
            break;
        case State::InPacket:
            if (b == kTslDle)
                m_state = State::InPacketAfterDle;
            else
                Append(b, sink);
            break;
        case State::InPacketAfterDle:
            m_state = State::InPacket;
            if (b == kTslDle) {
                Append(b, sink);
            } else {
                // A start in the middle of a packet means the sender gave up on the one before.
                m_packet.clear();
                m_state = b == kTslStx ? State::InPacket : State::Hunting;
            }
            break;
        }
    }
}

void TslStreamUnwrapper::Append(std::uint8_t byte, const PacketSink& sink) {
    m_packet.push_back(byte);
    const std::size_t length = tsl50::PacketLength(m_packet);
    if (length == 0 || (m_packet.size() < length && length <= tsl50::kMaxPacket))
        return;
    if (length <= tsl50::kMaxPacket)
        sink(m_packet);
    m_packet.clear();
    m_state = State::Hunting;
}

} // namespace kx::service
