// Lookabout's listings of a server's shares and of a share's folders, each on
// a fresh connection, against smbclient doing the same listings in the same
// run. Runs in the client namespace of the file servers (bench/run-lookabout).
#include "lookabout/smbsource.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double timeCommand(const std::string& command)
{
    const auto t0 = Clock::now();
    if (std::system((command + " >/dev/null 2>&1").c_str()) != 0) {
        std::fprintf(stderr, "failed: %s\n", command.c_str());
        std::exit(1);
    }
    return ms(Clock::now() - t0);
}

template <class F>
double timeListing(F list)
{
    const auto t0 = Clock::now();
    lookabout::SmbSource smb(5000);
    const lookabout::Listing l = list(smb);
    if (l.error || l.items.empty()) {
        std::fprintf(stderr, "failed: %s\n", l.error ? l.error->description.c_str() : "nothing listed");
        std::exit(1);
    }
    return ms(Clock::now() - t0);
}

} // namespace

int main()
{
    constexpr int rounds = 20;
    std::vector<double> shares, folders, refShares, refFolders;
    for (int i = 0; i < rounds; ++i) {
        shares.push_back(timeListing([](lookabout::SmbSource& s) { return s.shares("fs1"); }));
        refShares.push_back(timeCommand("smbclient -N -g -L fs1"));
        folders.push_back(timeListing([](lookabout::SmbSource& s) { return s.folders("fs1", "public", {}); }));
        refFolders.push_back(timeCommand("smbclient -N //fs1/public -c ls"));
    }
    std::printf("shares of fs1 (median of %d):   lookabout %7.1f ms   smbclient %7.1f ms\n", rounds,
                median(shares), median(refShares));
    std::printf("folders of public (median of %d): lookabout %7.1f ms   smbclient %7.1f ms\n", rounds,
                median(folders), median(refFolders));
}
