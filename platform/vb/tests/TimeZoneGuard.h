#pragma once

#include <cstdlib>
#include <ctime>
#include <QByteArray>

// Switches the process's local time zone for one test and restores it afterwards.
class TimeZoneGuard
{
public:
    explicit TimeZoneGuard(const char* zone) : m_hadZone(qEnvironmentVariableIsSet("TZ"))
    {
        if (m_hadZone) {
            m_previous = qgetenv("TZ");
        }
        qputenv("TZ", zone);
        tzset();
    }
    ~TimeZoneGuard()
    {
        if (m_hadZone) {
            qputenv("TZ", m_previous);
        } else {
            qunsetenv("TZ");
        }
        tzset();
    }
    TimeZoneGuard(const TimeZoneGuard&) = delete;
    TimeZoneGuard& operator=(const TimeZoneGuard&) = delete;

private:
    bool m_hadZone;
    QByteArray m_previous;
};
