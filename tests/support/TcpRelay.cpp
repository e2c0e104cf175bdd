#include "support/TcpRelay.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace {
sockaddr_in loopback(int port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

int connectTo(int port)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in address = loopback(port);
    if (fd >= 0 && connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
        return fd;
    if (fd >= 0)
        close(fd);
    return -1;
}

// Writes everything; the peers are local and read promptly.
bool writeAll(int fd, const char* data, ssize_t size)
{
    while (size > 0) {
        const ssize_t n = send(fd, data, static_cast<size_t>(size), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= n;
    }
    return true;
}
}

TcpRelay::TcpRelay(int targetPort) : m_targetPort(targetPort)
{
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_wakeRead = pipeFds[0];
    m_wakeWrite = pipeFds[1];
    m_listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    if (m_listener < 0 || bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
        || listen(m_listener, 16) != 0
        || getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return;
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { run(); });
}

TcpRelay::~TcpRelay()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    wake();
    if (m_thread.joinable())
        m_thread.join();
    for (const Pair& pair : m_pairs)
        closePair(pair);
    for (int fd : {m_listener, m_wakeRead, m_wakeWrite})
        if (fd >= 0)
            close(fd);
}

void TcpRelay::cut()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_cut = true;
}

void TcpRelay::restore()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_cut = false;
        ++m_restores;
    }
    wake();
}

void TcpRelay::wake()
{
    const char byte = 1;
    if (m_wakeWrite >= 0)
        (void)!write(m_wakeWrite, &byte, 1);
}

void TcpRelay::closePair(const Pair& pair)
{
    close(pair.client);
    if (pair.server >= 0)
        close(pair.server);
}

void TcpRelay::run()
{
    for (;;) {
        bool cut = false;
        int restores = 0;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_stop)
                return;
            cut = m_cut;
            restores = m_restores;
        }
        // Only the connections from before the last restore go: one accepted after it (in
        // the same turn as the wake-up, when the thread was slow to wake) must pass.
        std::erase_if(m_pairs, [restores](const Pair& pair) {
            if (pair.restores == restores)
                return false;
            closePair(pair);
            return true;
        });
        std::vector<pollfd> fds{{m_wakeRead, POLLIN, 0}, {m_listener, POLLIN, 0}};
        // While cut, nothing is read, so nothing passes.
        if (!cut)
            for (const Pair& pair : m_pairs)
                fds.insert(fds.end(), {{pair.client, POLLIN, 0}, {pair.server, POLLIN, 0}});
        // A short wait: a cut must take hold even while no byte moves.
        if (poll(fds.data(), fds.size(), 50) < 0 && errno != EINTR)
            return;
        if (fds[0].revents & POLLIN) {
            char drain[64];
            while (read(m_wakeRead, drain, sizeof drain) > 0) {
            }
        }
        if (fds[1].revents & POLLIN)
            accept();
        for (size_t i = 2, p = 0; i < fds.size(); i += 2, ++p) {
            bool closed = false;
            if (fds[i].revents & (POLLIN | POLLHUP | POLLERR))
                pass(m_pairs[p], true, &closed);
            if (!closed && (fds[i + 1].revents & (POLLIN | POLLHUP | POLLERR)))
                pass(m_pairs[p], false, &closed);
            if (closed) {
                closePair(m_pairs[p]);
                m_pairs[p].client = -1;
            }
        }
        std::erase_if(m_pairs, [](const Pair& pair) { return pair.client < 0; });
    }
}

void TcpRelay::accept()
{
    const int client = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0)
        return;
    bool cut = false;
    int restores = 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        cut = m_cut;
        restores = m_restores;
    }
    const int server = cut ? -1 : connectTo(m_targetPort);
    if (!cut && server < 0) {
        close(client);
        return;
    }
    m_pairs.push_back({client, server, restores});
}

void TcpRelay::pass(Pair& pair, bool fromClient, bool* closed)
{
    if (pair.server < 0)
        return;
    char buffer[16384];
    const int from = fromClient ? pair.client : pair.server;
    const int to = fromClient ? pair.server : pair.client;
    const ssize_t n = recv(from, buffer, sizeof buffer, 0);
    *closed = n <= 0 || !writeAll(to, buffer, n);
}
