#include "MClipFileCopy.h"

#include "platform/shell/ClipboardFiles.h"

#include <cstdint>
#include <QFile>
#include <QMimeData>
#include <QUrl>

namespace analyser {

namespace {

constexpr std::uint32_t kHeaderSize = 20;

void appendUint32(QByteArray& bytes, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.append(static_cast<char>((value >> shift) & 0xFF));
}

} // namespace

QByteArray droppedFilesBlock(const QStringList& paths)
{
    QByteArray block;
    appendUint32(block, kHeaderSize); // where the list starts
    appendUint32(block, 0);           // drop point x
    appendUint32(block, 0);           // drop point y
    appendUint32(block, 0);           // not dropped on the non-client area
    appendUint32(block, 0);           // single-byte characters
    for (const QString& path : paths) {
        block += QFile::encodeName(path);
        block.append('\0');
    }
    block.append('\0');
    return block;
}

std::unique_ptr<QMimeData> fileListMimeData(const QStringList& paths)
{
    QList<QUrl> urls;
    QByteArray gnome = "copy";
    for (const QString& path : paths) {
        const QUrl url = QUrl::fromLocalFile(path);
        urls << url;
        gnome += '\n' + url.toEncoded();
    }
    auto data = std::make_unique<QMimeData>();
    data->setUrls(urls);
    data->setText(paths.join(QLatin1Char('\n')));
    data->setData(QStringLiteral("x-special/gnome-copied-files"), gnome);
    data->setData(QStringLiteral("application/x-kde-cutselection"), QByteArrayLiteral("0"));
    data->setData(QLatin1String(kDroppedFilesMimeType), droppedFilesBlock(paths));
    return data;
}

} // namespace analyser

bool ClipboardCopyFiles(const QStringList& paths)
{
    return shell::setClipboardMimeData(analyser::fileListMimeData(paths));
}
