#include "PlainFileCopy.h"

#include "platform/vb/Error.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <unistd.h>

namespace backup {

namespace {

constexpr int FileNotFound = 53;
constexpr int PathFileAccessError = 75;

[[noreturn]] void fail(int number, const QString& description)
{
    throw vb::Error(number, description, QStringLiteral("BackupComponent"));
}

} // namespace

void copyPlainFile(const QString& source, const QString& target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        fail(in.exists() ? PathFileAccessError : FileNotFound,
             QStringLiteral("The file '%1' could not be read (%2). Check that it exists and that "
                            "you may read it.")
                 .arg(QDir::toNativeSeparators(source), in.errorString()));
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError)
        fail(PathFileAccessError, QStringLiteral("The file '%1' could not be read (%2).")
                                      .arg(QDir::toNativeSeparators(source), in.errorString()));

    const QFileInfo info(target);
    QTemporaryFile out(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                       QStringLiteral(".XXXXXX"));
    const auto writeFailed = [&] {
        fail(PathFileAccessError,
             QStringLiteral("'%1' could not be written (%2). Check that you may write to the "
                            "folder and that the disk is not full.")
                 .arg(QDir::toNativeSeparators(target), out.errorString()));
    };
    if (!out.open() || out.write(bytes) != bytes.size() || !out.flush())
        writeFailed();
    if (::fsync(out.handle()) != 0)
        writeFailed();
    if (std::rename(QFile::encodeName(out.fileName()).constData(),
                    QFile::encodeName(target).constData()) != 0)
        fail(PathFileAccessError, QStringLiteral("'%1' could not be written (%2).")
                                      .arg(QDir::toNativeSeparators(target),
                                           QString::fromLocal8Bit(std::strerror(errno))));
    out.setAutoRemove(false); // it is the target now
}

} // namespace backup
