#include "DatedFolder.h"

#include "platform/vb/Error.h"

#include <cerrno>
#include <cstring>
#include <QDir>
#include <QFile>
#include <sys/stat.h>

namespace backup {

namespace {

constexpr int PathFileAccessError = 75;
constexpr int maxAttempts = 1000;

} // namespace

QString createDatedFolder(const QString& parent, const QDateTime& time)
{
    const QString base =
        QStringLiteral("Quorvex Backup ") + time.toString(QStringLiteral("yyyy-MM-dd HH.mm.ss"));
    for (int attempt = 1; attempt <= maxAttempts; ++attempt) {
        const QString name = attempt == 1 ? base : QStringLiteral("%1 (%2)").arg(base).arg(attempt);
        const QString path = QDir(parent).filePath(name);
        if (::mkdir(QFile::encodeName(path).constData(), 0777) == 0)
            return path;
        if (errno != EEXIST) {
            throw vb::Error(PathFileAccessError,
                            QStringLiteral("The backup folder could not be created in '%1' (%2). "
                                           "Choose a folder you may write to.")
                                .arg(QDir::toNativeSeparators(parent),
                                     QString::fromLocal8Bit(std::strerror(errno))),
                            QStringLiteral("BackupComponent"));
        }
    }
    throw vb::Error(PathFileAccessError,
                    QStringLiteral("The folder '%1' already holds too many backups named '%2'. "
                                   "Choose another folder.")
                        .arg(QDir::toNativeSeparators(parent), base),
                    QStringLiteral("BackupComponent"));
}

} // namespace backup
