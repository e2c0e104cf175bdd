#pragma once

#include <QDateTime>

// The one source of the current date and time. Tests install a fixed clock.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const;

    static const Clock& instance();
    // Installs a clock (not owned); nullptr restores the system clock.
    static void install(const Clock* clock);
};

// A clock that always answers the same moment until told otherwise.
class FixedClock : public Clock {
public:
    explicit FixedClock(const QDateTime& moment) : m_moment(moment) {}
    QDateTime now() const override { return m_moment; }
    void set(const QDateTime& moment) { m_moment = moment; }

private:
    QDateTime m_moment;
};
