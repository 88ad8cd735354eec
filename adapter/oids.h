// NDIS object identifiers the program queries and sets, and the driver's status record.
#pragma once
#include <cstddef>
#include <cstdint>

namespace adapter {

// Standard NDIS identifiers.
inline constexpr std::uint32_t OID_GEN_MEDIA_IN_USE = 0x00010104;
inline constexpr std::uint32_t OID_GEN_CURRENT_PACKET_FILTER = 0x0001010E;
inline constexpr std::uint32_t OID_802_3_CURRENT_ADDRESS = 0x01010102;
inline constexpr std::uint32_t OID_GEN_XMIT_OK = 0x00020101;
inline constexpr std::uint32_t OID_GEN_RCV_OK = 0x00020102;

// The driver's private identifiers.
inline constexpr std::uint32_t OID_PRIV_SIGNAL_STRENGTH = 0xFF000003;
inline constexpr std::uint32_t OID_PRIV_TX_RATE = 0xFF000009;
inline constexpr std::uint32_t OID_PRIV_RX_RATE = 0xFF000011;
inline constexpr std::uint32_t OID_PRIV_CURRENT_CHANNEL = 0xFF000013;
inline constexpr std::uint32_t OID_PRIV_CONNECTION_STATE = 0xFF000015;
inline constexpr std::uint32_t OID_PRIV_BSSID = 0xFF000017;
inline constexpr std::uint32_t OID_PRIV_SSID = 0xFF000018;
inline constexpr std::uint32_t OID_PRIV_BSS_LIST = 0xFF000019;
inline constexpr std::uint32_t OID_PRIV_ENCRYPTION = 0xFF00001A;
inline constexpr std::uint32_t OID_PRIV_NETWORK_MODE = 0xFF00001B;
inline constexpr std::uint32_t OID_PRIV_DEVICE_STATUS = 0xFF100004;
inline constexpr std::uint32_t OID_PRIV_MAC_ADDRESS = 0xFF200002;
inline constexpr std::uint32_t OID_PRIV_START_SCAN = 0xFF21000E;

// The buffer size most callers pass.
inline constexpr std::uint32_t kQueryBufferSize = 5000;

// Medium code of 802.3, the only one accepted at open.
inline constexpr std::uint32_t kMedium802_3 = 0;
// Directed and broadcast frames.
inline constexpr std::uint32_t kPacketFilterDirectedBroadcast = 9;

// A 32-bit field of a driver record, least significant byte first.
inline std::uint32_t Le32(const std::uint8_t* p) {
    return p[0] | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

// OID_PRIV_DEVICE_STATUS: the first kSize bytes are copied and read, little-endian.
struct DeviceStatusRecord {
    static constexpr std::size_t kSize = 256;
    static constexpr std::size_t kRegulatoryDomain = 220;  // 4 bytes
    static constexpr std::size_t kBytesTransmitted = 224;  // 8 bytes, unsigned
    static constexpr std::size_t kBytesReceived = 232;     // 8 bytes, unsigned
};

}  // namespace adapter
