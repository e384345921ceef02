// Opens N established TCP connections on loopback and holds them until its
// standard input closes: "tcpconns N". Both ends of every connection live in
// this namespace; workers of at most 9,000 connections each hold them, since
// one process may not hold 100,000 descriptors. Prints "ready" when all are up.
// Connections close with a reset, so that no TIME_WAIT rows outlive it.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr int PerWorker = 9000;

[[noreturn]] void die(const char* what)
{
    std::fprintf(stderr, "tcpconns: %s: %s\n", what, std::strerror(errno));
    std::_Exit(1);
}

void raiseDescriptorLimit()
{
    rlimit l{};
    getrlimit(RLIMIT_NOFILE, &l);
    l.rlim_cur = l.rlim_max;
    setrlimit(RLIMIT_NOFILE, &l);
}

// One worker: its own listener, n connections, then waits to be told to end.
void worker(int n, int readyFd)
{
    raiseDescriptorLimit();
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (listener < 0 || bind(listener, reinterpret_cast<sockaddr*>(&a), sizeof(a)) < 0 || listen(listener, 4096) < 0)
        die("listen");
    socklen_t len = sizeof(a);
    getsockname(listener, reinterpret_cast<sockaddr*>(&a), &len);
    std::vector<int> fds;
    fds.reserve(2 * n);
    for (int i = 0; i < n; ++i) {
        const int c = socket(AF_INET, SOCK_STREAM, 0);
        if (c < 0 || connect(c, reinterpret_cast<sockaddr*>(&a), sizeof(a)) < 0)
            die("connect");
        const int s = accept(listener, nullptr, nullptr);
        if (s < 0)
            die("accept");
        fds.push_back(c);
        fds.push_back(s);
    }
    close(listener);
    if (write(readyFd, "x", 1) != 1)
        die("ready");
    pause();  // until the parent's SIGTERM
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 || std::atoi(argv[1]) <= 0) {
        std::fprintf(stderr, "usage: tcpconns N\n");
        return 2;
    }
    const int total = std::atoi(argv[1]);
    int ready[2];
    if (pipe(ready) < 0)
        die("pipe");
    std::vector<pid_t> workers;
    for (int left = total; left > 0; left -= PerWorker) {
        const pid_t pid = fork();
        if (pid < 0)
            die("fork");
        if (pid == 0) {
            signal(SIGTERM, [](int) {
                // Reset every connection on the way out: no TIME_WAIT left behind.
                for (int fd = 3; fd < 20000; ++fd) {
                    const linger abort{1, 0};
                    setsockopt(fd, SOL_SOCKET, SO_LINGER, &abort, sizeof(abort));
                }
                _exit(0);
            });
            close(ready[0]);
            worker(left < PerWorker ? left : PerWorker, ready[1]);
            _exit(0);
        }
        workers.push_back(pid);
    }
    close(ready[1]);
    char c;
    for (std::size_t i = 0; i < workers.size(); ++i)
        if (read(ready[0], &c, 1) != 1) {
            for (pid_t w : workers)
                kill(w, SIGTERM);
            std::fprintf(stderr, "tcpconns: a worker failed\n");
            return 1;
        }
    std::printf("ready\n");
    std::fflush(stdout);
    while (read(STDIN_FILENO, &c, 1) > 0) {
    }
    for (pid_t w : workers)
        kill(w, SIGTERM);
    for (pid_t w : workers)
        waitpid(w, nullptr, 0);
    return 0;
}
