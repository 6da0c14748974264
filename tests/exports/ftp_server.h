#pragma once
// Starts ftp_server.py (pyftpdlib) on a free loopback port for one test and
// stops it at the end. The server also ends itself after a minute, so a
// crashed test leaves nothing running.

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kvf::test {

inline constexpr const char* kFtpUser = "kvf";
inline constexpr const char* kFtpPassword = "Pa55-word";

class FtpServer {
public:
    // readLimit > 0: uploads are read at that many bytes a second.
    FtpServer(const std::string& root, const std::string& permissions, int readLimit = 0) {
        int out[2];
        if (pipe(out) != 0)
            return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            close(out[1]);
            const std::string script = std::string(KVF_SOURCE_DIR) + "/tests/exports/ftp_server.py";
            const std::string limit = std::to_string(readLimit);
            execl("/usr/bin/python3", "python3", script.c_str(), root.c_str(), permissions.c_str(), "60",
                  readLimit > 0 ? limit.c_str() : static_cast<char*>(nullptr), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(out[1]);
        // The port line, waited for at most ten seconds.
        pollfd fd{out[0], POLLIN, 0};
        std::string line;
        char c;
        while (poll(&fd, 1, 10000) > 0 && read(out[0], &c, 1) == 1 && c != '\n')
            line += c;
        close(out[0]);
        port_ = line.empty() ? 0 : std::stoi(line);
    }
    ~FtpServer() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    FtpServer(const FtpServer&) = delete;
    FtpServer& operator=(const FtpServer&) = delete;

    // 0 when the server did not come up.
    int Port() const { return port_; }

private:
    pid_t pid_ = -1;
    int port_ = 0;
};

// A loopback port nothing listens on (bound, then released).
inline int ClosedPort() {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    bind(s, reinterpret_cast<sockaddr*>(&address), size);
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &size);
    close(s);
    return ntohs(address.sin_port);
}

} // namespace kvf::test
