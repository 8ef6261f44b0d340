#pragma once

// The progress line of one update procedure: its title and step count, then its steps.

#include "common/ShowProgress.h"

#include <cstdint>
#include <QString>

namespace updater::maindb {

class UpdateProgress
{
public:
    UpdateProgress(QString title, std::uint8_t stepCount)
        : m_title(std::move(title)), m_stepCount(stepCount)
    {
        DatabaseHelpers::ShowProgress(0, m_title, m_stepCount);
    }

    void step(std::uint8_t step) const
    {
        DatabaseHelpers::ShowProgress(step, m_title, m_stepCount);
    }

private:
    QString m_title;
    std::uint8_t m_stepCount;
};

} // namespace updater::maindb
