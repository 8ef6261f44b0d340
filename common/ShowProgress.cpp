#include "ShowProgress.h"

#include "platform/shell/Shell.h"

namespace DatabaseHelpers {

namespace {

ProgressLine*& currentLine()
{
    static ProgressLine* line = nullptr;
    return line;
}

} // namespace

ProgressLine::ProgressLine(Display display)
    : m_display(std::move(display)), m_previous(currentLine())
{
    currentLine() = this;
}

ProgressLine::ProgressLine(Detached) : m_previous(nullptr) {}

ProgressLine::~ProgressLine()
{
    if (currentLine() == this)
        currentLine() = m_previous;
}

void ProgressLine::show(std::uint8_t step, const QString& title, std::uint8_t stepCount, bool clear)
{
    if (stepCount != 0)
        m_stepCount = stepCount;
    if (!title.isEmpty())
        m_title = title;
    if (clear)
        m_text.clear();
    else if (step > 0)
        m_text = m_title + QStringLiteral(" step ") + QString::number(step) +
                 QStringLiteral(" of ") + QString::number(m_stepCount);
    if (m_display)
        m_display(m_text);
}

ProgressLine& detachedProgressLine()
{
    // Without an installed line the title and count are still remembered, as the procedures
    // that call ShowProgress expect.
    static ProgressLine line{ProgressLine::Detached{}};
    return line;
}

void ShowProgress(std::uint8_t step, const QString& title, std::uint8_t stepCount, bool clear)
{
    ProgressLine* const line = currentLine();
    (line != nullptr ? *line : detachedProgressLine()).show(step, title, stepCount, clear);
    shell::doEvents();
}

} // namespace DatabaseHelpers
