#include "RunMarker.h"

#include "FileSync.h"
#include "platform/vb/Error.h"

#include <QDir>
#include <QFile>

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

// One line per database: its kind number, a tab and the database file.
void RunMarker::write(const Targets& targets) const
{
    QByteArray content;
    for (const auto& [kind, file] : targets)
        content += QByteArray::number(static_cast<int>(kind)) + '\t' + file.toUtf8() + '\n';
    writeFileDurably(path(), content);
}

RunMarker::Targets RunMarker::read() const
{
    QFile file(path());
    if (!file.open(QIODevice::ReadOnly))
        unreadable(path(), file.errorString());
    Targets targets;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (const QByteArray& line : lines) {
        if (line.isEmpty())
            continue;
        const qsizetype tab = line.indexOf('\t');
        bool numeric = false;
        const int number = tab > 0 ? line.left(tab).toInt(&numeric) : 0;
        const auto kind = DatabaseHelpers::databaseKindFromNumber(number);
        if (!numeric || !kind || tab + 1 >= line.size())
            unreadable(path(),
                       QStringLiteral("the line \"%1\" is damaged").arg(QString::fromUtf8(line)));
        targets[*kind] = QString::fromUtf8(line.mid(tab + 1));
    }
    if (targets.size() != DatabaseHelpers::allDatabaseKinds.size())
        unreadable(path(), QStringLiteral("it does not name all four databases"));
    return targets;
}

void RunMarker::remove() const
{
    removeFileDurably(path());
}

} // namespace updater
