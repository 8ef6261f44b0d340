#pragma once

#include <QLocale>

// Pins the default locale for one test and restores the previous one afterwards.
class LocaleGuard
{
public:
    explicit LocaleGuard(QLocale::Language language, QLocale::Territory territory)
    {
        QLocale::setDefault(QLocale(language, territory));
    }
    ~LocaleGuard() { QLocale::setDefault(m_previous); }
    LocaleGuard(const LocaleGuard&) = delete;
    LocaleGuard& operator=(const LocaleGuard&) = delete;

private:
    QLocale m_previous;
};

// The locale most tests are written in.
class UsLocale : public LocaleGuard
{
public:
    UsLocale() : LocaleGuard(QLocale::English, QLocale::UnitedStates) {}
};
