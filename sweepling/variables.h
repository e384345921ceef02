#pragma once
// Module Variables: the strings that the sweep shares between its steps.
#include <string>

namespace sweepling::variables {

// The address being probed, and the physical address found for it.
inline std::string CurrentAddress;
inline std::string CurrentMac;

} // namespace sweepling::variables
