#pragma once
// Win32 error codes as the user's tools have always worded them.
#include "error.h"

#include <cstdint>
#include <string>

namespace ads {

namespace win32 {
inline constexpr std::uint32_t AccessDenied = 5;
inline constexpr std::uint32_t BadNetPath = 53;
inline constexpr std::uint32_t InvalidParameter = 87;
inline constexpr std::uint32_t NoSuchAlias = 1376;
inline constexpr std::uint32_t MemberNotInAlias = 1377;
inline constexpr std::uint32_t MemberInAlias = 1378;
inline constexpr std::uint32_t NoneMapped = 1332;
inline constexpr std::uint32_t NoSuchDomain = 1355;
inline constexpr std::uint32_t GroupNotFound = 2220;
inline constexpr std::uint32_t UserNotFound = 2221;
} // namespace win32

// The system's text for a Win32 code, or an empty text when it has none here.
std::string Win32Text(std::uint32_t code);

// An error with the code's HRESULT and text; fallback when the code has no text here.
Error Win32Error(std::uint32_t code, const std::string& fallback = {});

} // namespace ads
