// Event numbers the ports report to their callbacks. They keep the values of
// the published multimedia MIDI interface, so logs and the transfer engine
// speak the same numbers as the device documentation.
#pragma once

#include <cstdint>

constexpr int32_t MIM_OPEN = 961;
constexpr int32_t MIM_CLOSE = 962;
constexpr int32_t MIM_DATA = 963;       // a short message (status byte 0x80-0xEF, 0xF1-0xFF) arrived
constexpr int32_t MIM_LONGDATA = 964;   // a System Exclusive message arrived
constexpr int32_t MIM_ERROR = 965;      // input that is no MIDI message, or a device error
constexpr int32_t MIM_LONGERROR = 966;
constexpr int32_t MIM_MOREDATA = 972;
constexpr int32_t MOM_OPEN = 967;
constexpr int32_t MOM_CLOSE = 968;
constexpr int32_t MOM_DONE = 969;       // a System Exclusive message has left the port
constexpr int32_t MOM_POSITIONCB = 970;
