#pragma once

// ShowProgress: the updater's progress line ("Main Database Update 10 step 3 of 12").
//
// The line itself lives in the updater's main window; common code only knows it through a
// ProgressLine installed for the time of a run, so the helpers here do not depend on the
// updater. Without an installed line, ShowProgress only remembers the title and count.

#include <cstdint>
#include <functional>
#include <QString>

namespace DatabaseHelpers {

class ProgressLine
{
public:
    // `show` puts the new text on the screen and repaints; it is called after every change.
    using Display = std::function<void(const QString& text)>;

    // Installs this line as the current one for its lifetime.
    explicit ProgressLine(Display display);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void show(std::uint8_t step, const QString& title, std::uint8_t stepCount, bool clear);

    const QString& text() const noexcept { return m_text; }
    const QString& title() const noexcept { return m_title; }
    std::uint8_t stepCount() const noexcept { return m_stepCount; }

private:
    friend ProgressLine& detachedProgressLine();
    struct Detached
    {
    };
    // A line that is never installed: where ShowProgress goes when no window installed one.
    explicit ProgressLine(Detached);

    Display m_display;
    ProgressLine* m_previous;
    QString m_text;
    QString m_title;
    std::uint8_t m_stepCount = 0;
};

// A non-zero count and a non-empty title are remembered for later calls. `clear` empties the
// line; otherwise a step above 0 shows title + " step " + step + " of " + count, and step 0
// leaves the text as it is. Pending window events run afterwards, so the line shows during
// long work.
void ShowProgress(std::uint8_t step, const QString& title, std::uint8_t stepCount,
                  bool clear = false);

} // namespace DatabaseHelpers
