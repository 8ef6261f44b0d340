// The registry export read back as text whatever its encoding, and which registry editor runs.

#include "RegistryExport.h"

#include "QStringPrinter.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

namespace {

using analyser::exportLines;

const QString kExportText =
    QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n"
                   "[HKEY_CURRENT_USER\\Software\\Quillmere\\Quorvex\\Application]\r\n"
                   "\"FullPath\"=\"/inst/Gr\u00FC\u00DFe\"\r\n\r\n");

const QStringList kExpectedLines = {
    QStringLiteral("Windows Registry Editor Version 5.00"), QString(),
    QStringLiteral("[HKEY_CURRENT_USER\\Software\\Quillmere\\Quorvex\\Application]"),
    QStringLiteral("\"FullPath\"=\"/inst/Gr\u00FC\u00DFe\""), QString()};

QByteArray encoded(QStringConverter::Encoding encoding, bool mark)
{
    QStringEncoder encoder(encoding, mark ? QStringConverter::Flag::WriteBom
                                          : QStringConverter::Flag::Default);
    return encoder.encode(kExportText);
}

TEST(ExportLinesTest, EveryUnicodeEncodingReadsAlike)
{
    EXPECT_EQ(exportLines(encoded(QStringConverter::Utf16LE, true)), kExpectedLines);
    EXPECT_EQ(exportLines(encoded(QStringConverter::Utf16LE, false)), kExpectedLines);
    EXPECT_EQ(exportLines(encoded(QStringConverter::Utf16BE, true)), kExpectedLines);
    EXPECT_EQ(exportLines(encoded(QStringConverter::Utf16BE, false)), kExpectedLines);
    EXPECT_EQ(exportLines(encoded(QStringConverter::Utf8, true)), kExpectedLines);
    EXPECT_EQ(exportLines(encoded(QStringConverter::Utf8, false)), kExpectedLines);
}

TEST(ExportLinesTest, SingleByteTextAndOtherLineEnds)
{
    EXPECT_EQ(exportLines(QByteArrayLiteral("REGEDIT4\n\n\"Name\"=\"Caf\xE9\"")),
              (QStringList{QStringLiteral("REGEDIT4"), QString(),
                           QStringLiteral("\"Name\"=\"Caf\u00E9\"")}));
    EXPECT_EQ(exportLines(QByteArrayLiteral("a\rb\r\n")),
              (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_EQ(exportLines(QByteArray()), QStringList());
    // A stray terminator at the end of a UTF-16 file is not part of any line.
    QByteArray terminated = encoded(QStringConverter::Utf16LE, true);
    terminated.append(2, '\0');
    EXPECT_EQ(exportLines(terminated), kExpectedLines);
}

TEST(FindRegistryEditorTest, ToolsFolderFirstThenBesideTheProgram)
{
    QTemporaryDir tools;
    QTemporaryDir own;
    const auto makeProgram = [](const QString& folder) {
        QFile file(QDir(folder).filePath(QStringLiteral("regedit")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n");
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
        return file.fileName();
    };
    const QString beside = makeProgram(own.path());
    EXPECT_EQ(analyser::findRegistryEditor(tools.path(), own.path()), beside);
    const QString inTools = makeProgram(tools.path());
    EXPECT_EQ(analyser::findRegistryEditor(tools.path(), own.path()), inTools);
    // Not executable: not a program to start.
    QFile::setPermissions(inTools, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(analyser::findRegistryEditor(tools.path(), own.path()), beside);
}

TEST(FileStampTest, ANewExportChangesTheStamp)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("export.reg"));
    const analyser::FileStamp none = analyser::FileStamp::of(path);
    EXPECT_FALSE(none.exists);
    QFile first(path);
    ASSERT_TRUE(first.open(QIODevice::WriteOnly));
    first.write("old");
    first.close();
    const analyser::FileStamp old = analyser::FileStamp::of(path);
    EXPECT_TRUE(old.exists);
    EXPECT_EQ(analyser::FileStamp::of(path), old);
    // The editor writes a temporary file and renames it over the old export.
    const QString temporary = dir.filePath(QStringLiteral("export.tmp"));
    QFile second(temporary);
    ASSERT_TRUE(second.open(QIODevice::WriteOnly));
    second.write("new");
    second.close();
    ASSERT_EQ(
        std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()),
        0);
    EXPECT_FALSE(analyser::FileStamp::of(path) == old);
    EXPECT_TRUE(analyser::waitForNewExport(path, old, std::chrono::milliseconds(0)));
    EXPECT_FALSE(analyser::waitForNewExport(path, analyser::FileStamp::of(path),
                                            std::chrono::milliseconds(0)));
}

} // namespace
