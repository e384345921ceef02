#include "proc.h"

#include "arplisting.h"
#include "process.h"

#include "directory/error.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

namespace sweepling::proc {
namespace {

const ads::Error Overflow(6, "Overflow");
const ads::Error SubscriptOutOfRange(9, "Subscript out of range");
const ads::Error TypeMismatch(13, "Type mismatch");

// A part of a dotted address as a whole number: blanks around it allowed.
long long partValue(const std::string& part)
{
    const std::size_t first = part.find_first_not_of(" \t");
    if (first == std::string::npos)
        throw TypeMismatch;
    const std::size_t last = part.find_last_not_of(" \t");
    std::string digits = part.substr(first, last - first + 1);
    bool negative = false;
    if (digits[0] == '+' || digits[0] == '-') {
        negative = digits[0] == '-';
        digits.erase(0, 1);
    }
    if (digits.empty() || digits.size() > 12)
        throw digits.empty() ? TypeMismatch : Overflow;
    long long value = 0;
    for (char c : digits) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            throw TypeMismatch;
        value = value * 10 + (c - '0');
    }
    if (negative)
        value = -value;
    if (value < INT_MIN || value > INT_MAX)
        throw Overflow;
    return value;
}

// Usable for the capture script: a folder that this user may write and no other can.
bool privateFolder(const std::string& folder)
{
    struct stat st {};
    if (folder.empty() || stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    if ((st.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        return false;
    if (st.st_uid != geteuid() && st.st_uid != 0)
        return false;
    return access(folder.c_str(), W_OK | X_OK) == 0;
}

std::string programFolder()
{
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : exe.parent_path().string();
}

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

std::int32_t IpToLong(const std::string& address)
{
    std::vector<std::string> parts;
    std::string rest = address;
    for (std::size_t dot; (dot = rest.find('.')) != std::string::npos;) {
        if (parts.size() == 4)
            throw SubscriptOutOfRange;
        parts.push_back(rest.substr(0, dot));
        rest.erase(0, dot + 1);
    }
    if (parts.size() == 4)
        throw SubscriptOutOfRange;
    parts.push_back(rest);
    if (parts.size() != 4)
        return 0;

    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value |= (static_cast<std::uint32_t>(partValue(parts[i])) & 0xFF) << (8 * i);
    return static_cast<std::int32_t>(value);
}

echo::IpOptionInformation EchoOptions(std::int16_t ttl)
{
    if (ttl < 0 || ttl > 255)
        throw Overflow;
    echo::IpOptionInformation options{};
    options.Ttl = static_cast<std::uint8_t>(ttl);
    return options;
}

std::int32_t PingHost(const std::string& address, echo::IcmpEchoReply& reply, std::int16_t& ttl,
                      std::uint32_t waitMs, echo::EchoService& service)
{
    const auto destination = static_cast<std::uint32_t>(IpToLong(address));
    const echo::IpOptionInformation options = EchoOptions(ttl);
    const echo::EchoHandle handle = service.IcmpCreateFile();
    std::uint32_t replies = 0;
    try {
        replies = echo::IcmpSendEcho(service, handle, destination, EchoData, EchoDataSize, options, reply, waitMs);
    } catch (...) {
        service.IcmpCloseHandle(handle);
        throw;
    }
    service.IcmpCloseHandle(handle);
    return replies ? reply.RoundTripTime : -static_cast<std::int32_t>(reply.Status);
}

std::string CaptureScriptFolder(const std::string& programFolder, const std::string& runtimeFolder,
                                const std::string& homeFolder)
{
    if (privateFolder(programFolder))
        return programFolder;
    if (privateFolder(runtimeFolder))
        return runtimeFolder;
    if (homeFolder.empty() || !privateFolder(homeFolder))
        return {};
    const std::string cache = homeFolder + "/.cache";
    mkdir(cache.c_str(), 0700);
    const std::string own = cache + "/sweepling";
    mkdir(own.c_str(), 0700);
    return privateFolder(cache) && privateFolder(own) ? own : std::string();
}

std::string CaptureScriptPath()
{
    const std::string folder = CaptureScriptFolder(programFolder(), environment("XDG_RUNTIME_DIR"), environment("HOME"));
    return folder.empty() ? std::string() : folder + "/sendarp.bat";
}

std::string GetMacAddress(const std::string& address, const std::function<void()>& whileWaiting)
{
    const std::string script = CaptureScriptPath();
    struct stat st {};
    if (script.empty() || stat(script.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        throw ads::Error(53, "File not found: " + (script.empty() ? std::string("sendarp.bat") : script));
    process::ShellAndWait({"/bin/sh", script}, whileWaiting);

    // From here on a failure means no physical address, not an error.
    try {
        std::string listing;
        {
            std::ifstream in("./arp.txt", std::ios::binary);
            if (!in)
                return {};
            listing.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        if (arp::NeedsConversion(listing)) {
            listing = arp::ConvertNetTools(listing);
            std::ofstream out("./arp.txt", std::ios::binary | std::ios::trunc);
            out << listing;
        }
        std::istringstream in(listing);
        return arp::FindMac(in, address);
    } catch (...) {
        return {};
    }
}

} // namespace sweepling::proc
