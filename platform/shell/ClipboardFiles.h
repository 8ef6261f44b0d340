#pragma once

// Putting data on the clipboard in several formats at once: a list of files, for instance,
// travels as a URI list together with the forms the desktops' file managers paste. Tests
// install a ClipboardRecorder to see what was offered without touching the desktop.

#include <memory>

class QMimeData;

namespace shell {

// Replaces the clipboard's contents with `data`. False when there is no clipboard to put it on
// (no GUI application) or it did not take the data.
bool setClipboardMimeData(std::unique_ptr<QMimeData> data);

// While one lives, offers are kept here instead of reaching the clipboard (the innermost
// recorder wins). refuse(true) makes offers fail, as a clipboard held by another program does.
class ClipboardRecorder
{
public:
    ClipboardRecorder();
    ~ClipboardRecorder();
    ClipboardRecorder(const ClipboardRecorder&) = delete;
    ClipboardRecorder& operator=(const ClipboardRecorder&) = delete;

    void refuse(bool refusing) { m_refusing = refusing; }
    // Offers made, accepted or refused.
    int offerCount() const { return m_offerCount; }
    // The last accepted offer, or nullptr.
    const QMimeData* lastOffer() const { return m_lastOffer.get(); }

private:
    friend bool setClipboardMimeData(std::unique_ptr<QMimeData> data);

    ClipboardRecorder* m_outer = nullptr;
    bool m_refusing = false;
    int m_offerCount = 0;
    std::unique_ptr<QMimeData> m_lastOffer;
};

} // namespace shell
