#pragma once
// The one error type that the directory and platform layers raise: a number
// in the form the user's tools have always shown, and the system's words.
#include <cstdint>
#include <exception>
#include <string>
#include <utility>

namespace ads {

class Error : public std::exception {
public:
    Error(std::int32_t number, std::string description)
        : number_(number), description_(std::move(description)) {}

    std::int32_t number() const noexcept { return number_; }
    const std::string& description() const noexcept { return description_; }
    const char* what() const noexcept override { return description_.c_str(); }

private:
    std::int32_t number_;
    std::string description_;
};

// A Win32 error code as the signed HRESULT that directory callers see
// (2221 becomes -2147022675).
constexpr std::int32_t hresultFromWin32(std::uint32_t code) noexcept
{
    return code == 0 ? 0 : static_cast<std::int32_t>(0x80070000u | (code & 0xFFFFu));
}

// The directory's own failure codes.
inline constexpr std::int32_t E_ADS_BAD_PATHNAME = static_cast<std::int32_t>(0x80005000u);
inline constexpr std::int32_t E_ADS_PROPERTY_NOT_FOUND = static_cast<std::int32_t>(0x8000500Du);

// WMI's own failure codes.
inline constexpr std::int32_t WBEM_E_FAILED = static_cast<std::int32_t>(0x80041001u);
inline constexpr std::int32_t WBEM_E_INVALID_CLASS = static_cast<std::int32_t>(0x80041010u);
inline constexpr std::int32_t WBEM_E_INVALID_QUERY = static_cast<std::int32_t>(0x80041017u);
inline constexpr std::int32_t MK_E_SYNTAX = static_cast<std::int32_t>(0x800401E4u);
inline constexpr std::int32_t WBEM_E_NOT_SUPPORTED = static_cast<std::int32_t>(0x8004100Cu);

} // namespace ads
