#pragma once

#include <mutex>
#include <thread>
#include <vector>

// A TCP relay on 127.0.0.1 in front of a server of the tests, which a test can cut as if
// the cable were pulled and then restore. While cut, nothing passes in either direction
// and new connections are accepted but answered by no one, so a client meets its own
// timeouts rather than a quick refusal. Restoring drops every connection that lived
// through the cut (their peers gave up on them meanwhile); new ones pass again.
class TcpRelay {
public:
    explicit TcpRelay(int targetPort);
    ~TcpRelay();
    TcpRelay(const TcpRelay&) = delete;
    TcpRelay& operator=(const TcpRelay&) = delete;

    // The port clients connect to; 0 when the relay could not listen.
    int port() const { return m_port; }
    void cut();
    void restore();

private:
    struct Pair {
        int client;
        int server;    // -1 while held during a cut
        int restores;  // how many restores came before it was accepted
    };

    void run();
    void accept();
    void pass(Pair& pair, bool fromClient, bool* closed);
    void wake();
    static void closePair(const Pair& pair);

    const int m_targetPort;
    int m_listener = -1;
    int m_port = 0;
    int m_wakeRead = -1;
    int m_wakeWrite = -1;
    std::mutex m_mutex;
    bool m_cut = false;
    int m_restores = 0;
    bool m_stop = false;
    std::vector<Pair> m_pairs;  // touched by the relay's thread only
    std::thread m_thread;
};
