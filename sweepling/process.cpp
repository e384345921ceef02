#include "process.h"

#include "directory/error.h"

#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

extern char** environ;

namespace sweepling::process {
namespace {

// The capture runs "arp", which lives in /usr/sbin: a user's PATH often lacks it.
std::vector<std::string> environmentWithSbin()
{
    std::vector<std::string> env;
    bool hasPath = false;
    for (char** e = environ; *e; ++e) {
        std::string entry = *e;
        if (entry.starts_with("PATH=")) {
            hasPath = true;
            const std::string dirs = ":" + entry.substr(5) + ":";
            for (const char* dir : {"/usr/sbin", "/sbin"}) {
                if (dirs.find(std::string(":") + dir + ":") == std::string::npos)
                    entry += std::string(":") + dir;
            }
        }
        env.push_back(std::move(entry));
    }
    if (!hasPath)
        env.emplace_back("PATH=/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin");
    return env;
}

std::vector<char*> pointers(std::vector<std::string>& strings)
{
    std::vector<char*> p;
    for (std::string& s : strings)
        p.push_back(s.data());
    p.push_back(nullptr);
    return p;
}

} // namespace

void ShellAndWait(const std::vector<std::string>& argv, const std::function<void()>& whileWaiting)
{
    if (argv.empty())
        throw ads::Error(5, "Invalid procedure call or argument");
    std::vector<std::string> args = argv;
    std::vector<std::string> env = environmentWithSbin();
    const std::vector<char*> argp = pointers(args);
    const std::vector<char*> envp = pointers(env);

    pid_t pid = 0;
    if (const int error = posix_spawn(&pid, args[0].c_str(), nullptr, nullptr, argp.data(), envp.data())) {
        if (error == ENOENT)
            throw ads::Error(53, "File not found: " + args[0]);
        throw ads::Error(75, "Path/File access error: " + args[0] + ": " + std::strerror(error));
    }

    // A pidfd turns readable when the process ends: no fixed sleeping steps.
    const int pidfd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    int status = 0;
    for (;;) {
        if (whileWaiting)
            whileWaiting();
        if (pidfd >= 0) {
            pollfd p{pidfd, POLLIN, 0};
            if (poll(&p, 1, 10) > 0)
                break;
        } else {
            const pid_t done = waitpid(pid, &status, WNOHANG);
            if (done == pid || (done < 0 && errno != EINTR))
                return;
            usleep(2000);
        }
    }
    close(pidfd);
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

} // namespace sweepling::process
