// The report on the clipboard: the Windows dropped-files record and the forms Linux desktops
// paste files from, offered through the shell seam.

#include "MClipFileCopy.h"
#include "platform/shell/ClipboardFiles.h"
#include "QStringPrinter.h"

#include <gtest/gtest.h>
#include <QMimeData>
#include <QUrl>

namespace {

QByteArray header()
{
    QByteArray bytes(20, '\0');
    bytes[0] = 20; // the list starts right after the header; the rest is zero
    return bytes;
}

TEST(DroppedFilesBlockTest, OnePathIsFollowedByTwoZeros)
{
    const QByteArray block =
        analyser::droppedFilesBlock({QStringLiteral("/inst/Tools/FileAnalysis.txt")});
    EXPECT_EQ(block, header() + QByteArrayLiteral("/inst/Tools/FileAnalysis.txt\0\0"));
    EXPECT_EQ(block.size(), 20 + 28 + 2);
}

TEST(DroppedFilesBlockTest, SeveralPathsInTheSystemEncoding)
{
    const QByteArray block =
        analyser::droppedFilesBlock({QStringLiteral("/a b/x.txt"), QStringLiteral("/Grüße.txt")});
    EXPECT_EQ(block, header() + QByteArrayLiteral("/a b/x.txt\0/Gr\xC3\xBC\xC3\x9F"
                                                  "e.txt\0\0"));
    EXPECT_EQ(analyser::droppedFilesBlock({}), header() + QByteArrayLiteral("\0"));
}

TEST(ClipboardCopyFilesTest, OffersTheFileTheWayDesktopsPasteFiles)
{
    const shell::ClipboardRecorder clipboard;
    const QString path = QStringLiteral("/inst dir/Tools/FileAnalysis.txt");
    ASSERT_TRUE(ClipboardCopyFiles({path}));
    ASSERT_EQ(clipboard.offerCount(), 1);
    const QMimeData* offer = clipboard.lastOffer();
    ASSERT_NE(offer, nullptr);
    EXPECT_EQ(offer->urls(), QList<QUrl>{QUrl::fromLocalFile(path)});
    EXPECT_EQ(offer->data(QStringLiteral("text/uri-list")),
              QByteArrayLiteral("file:///inst%20dir/Tools/FileAnalysis.txt\r\n"));
    EXPECT_EQ(offer->data(QStringLiteral("x-special/gnome-copied-files")),
              QByteArrayLiteral("copy\nfile:///inst%20dir/Tools/FileAnalysis.txt"));
    EXPECT_EQ(offer->data(QStringLiteral("application/x-kde-cutselection")),
              QByteArrayLiteral("0"));
    EXPECT_EQ(offer->text(), path);
    EXPECT_EQ(offer->data(QLatin1String(analyser::kDroppedFilesMimeType)),
              analyser::droppedFilesBlock({path}));
}

TEST(ClipboardCopyFilesTest, AClipboardThatRefusesGivesFalse)
{
    shell::ClipboardRecorder clipboard;
    clipboard.refuse(true);
    EXPECT_FALSE(ClipboardCopyFiles({QStringLiteral("/x")}));
    EXPECT_EQ(clipboard.offerCount(), 1);
    EXPECT_EQ(clipboard.lastOffer(), nullptr);
}

TEST(ClipboardCopyFilesTest, ReachesTheApplicationClipboard)
{
    // No recorder: the offscreen platform's clipboard takes it.
    ASSERT_TRUE(ClipboardCopyFiles({QStringLiteral("/inst/Tools/FileAnalysis.txt")}));
}

} // namespace
