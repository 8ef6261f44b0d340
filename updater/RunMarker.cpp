#include "RunMarker.h"

#include "FileSync.h"
#include "platform/vb/Error.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace updater {

namespace {

using DatabaseHelpers::DatabaseKind;

[[noreturn]] void unreadable(const QString& path, const QString& reason)
{
    throw vb::Error(vb::ErrorNumber::PathFileAccessError,
                    QStringLiteral("The update marker %1 cannot be used: %2. Restore the "
                                   "databases from the backup files in the same folder by hand.")
                        .arg(path, reason),
                    QStringLiteral("Travone"));
}

[[noreturn]] void damaged(const QString& path, const QByteArray& line)
{
    unreadable(path, u"the line \"%1\" is damaged"_s.arg(QString::fromUtf8(line)));
}

} // namespace

RunMarker::RunMarker(QString backupFolder) : m_backupFolder(std::move(backupFolder)) {}

QString RunMarker::path() const
{
    return QDir(m_backupFolder).filePath(fileName);
}

bool RunMarker::exists() const
{
    return QFile::exists(path());
}

// One line per database: its kind number, a tab and the database file; then one line per
// satellite: the name of its backup file, a tab and the file.
void RunMarker::write(const Targets& targets, const Satellites& satellites) const
{
    QByteArray content;
    for (const auto& [kind, file] : targets)
        content += QByteArray::number(static_cast<int>(kind)) + '\t' + file.toUtf8() + '\n';
    for (const auto& [backupName, file] : satellites)
        content += backupName.toUtf8() + '\t' + file.toUtf8() + '\n';
    writeFileDurably(path(), content);
}

RunMarker::Files RunMarker::read() const
{
    QFile file(path());
    if (!file.open(QIODevice::ReadOnly))
        unreadable(path(), file.errorString());
    Files files;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (const QByteArray& line : lines) {
        if (line.isEmpty())
            continue;
        const qsizetype tab = line.indexOf('\t');
        if (tab <= 0 || tab + 1 >= line.size())
            damaged(path(), line);
        const QString target = QString::fromUtf8(line.mid(tab + 1));
        bool numeric = false;
        const int number = line.left(tab).toInt(&numeric);
        if (numeric) {
            const auto kind = DatabaseHelpers::databaseKindFromNumber(number);
            if (!kind)
                damaged(path(), line);
            files.databases[*kind] = target;
        } else {
            const QString backupName = QString::fromUtf8(line.left(tab));
            // Only a plain name in the backup folder: the marker never sends a restore elsewhere.
            if (backupName.contains(QLatin1Char('/')) || backupName.startsWith(QLatin1Char('.')))
                damaged(path(), line);
            files.satellites[backupName] = target;
        }
    }
    if (files.databases.size() != DatabaseHelpers::allDatabaseKinds.size())
        unreadable(path(), QStringLiteral("it does not name all four databases"));
    return files;
}

void RunMarker::remove() const
{
    removeFileDurably(path());
}

} // namespace updater
