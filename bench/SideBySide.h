#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>

// Times our way of doing a job beside the floor the raw library gives, both in every
// iteration and in alternating order, so that disk and machine noise fall on both alike.
// Reports the ratio of wall times ("ratio") and of the thread's processor times
// ("cpu_ratio": the same without the waits for the disk that both sides share).
class SideBySide {
public:
    // Runs both jobs once; returns our wall time in seconds, for the manual timer.
    template <typename Ours, typename Floor>
    double run(Ours&& ours, Floor&& floor)
    {
        Spent mine, theirs;
        if (m_oursFirst) {
            mine = measure(ours);
            theirs = measure(floor);
        } else {
            theirs = measure(floor);
            mine = measure(ours);
        }
        m_oursFirst = !m_oursFirst;
        m_ours += mine;
        m_floor += theirs;
        return mine.wall;
    }

    void report(benchmark::State& state) const
    {
        const double n = static_cast<double>(state.iterations());
        state.counters["ours_ms"] = m_ours.wall * 1e3 / n;
        state.counters["floor_ms"] = m_floor.wall * 1e3 / n;
        state.counters["ratio"] = m_ours.wall / m_floor.wall;
        state.counters["cpu_ratio"] = m_ours.cpu / m_floor.cpu;
    }

private:
    struct Spent {
        double wall = 0;
        double cpu = 0;
        Spent& operator+=(const Spent& other)
        {
            wall += other.wall;
            cpu += other.cpu;
            return *this;
        }
    };

    static double threadCpuSeconds()
    {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
    }

    template <typename Job>
    static Spent measure(Job&& job)
    {
        const auto wallStart = std::chrono::steady_clock::now();
        const double cpuStart = threadCpuSeconds();
        job();
        return {std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count(),
                threadCpuSeconds() - cpuStart};
    }

    Spent m_ours, m_floor;
    bool m_oursFirst = true;
};
