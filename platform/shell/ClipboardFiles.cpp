#include "ClipboardFiles.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace shell {

namespace {

ClipboardRecorder* innermostRecorder = nullptr;

} // namespace

ClipboardRecorder::ClipboardRecorder() : m_outer(innermostRecorder)
{
    innermostRecorder = this;
}

ClipboardRecorder::~ClipboardRecorder()
{
    innermostRecorder = m_outer;
}

bool setClipboardMimeData(std::unique_ptr<QMimeData> data)
{
    if (!data)
        return false;
    if (ClipboardRecorder* recorder = innermostRecorder) {
        ++recorder->m_offerCount;
        if (recorder->m_refusing)
            return false;
        recorder->m_lastOffer = std::move(data);
        return true;
    }
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        return false;
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QStringList formats = data->formats();
    clipboard->setMimeData(data.release()); // the clipboard owns it from here
    const QMimeData* held = clipboard->mimeData();
    return held != nullptr && !formats.isEmpty() && held->hasFormat(formats.front());
}

} // namespace shell
