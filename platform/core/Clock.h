#pragma once

#include <cstdint>

namespace platform::core {

// Milliseconds of a steady clock; wraps like the 32-bit tick count the protocols were timed with.
uint32_t TickCount();

// Sleep(0) only yields the processor.
void Sleep(uint32_t ms);

} // namespace platform::core
