#pragma once

// A backup component that answers as told, for runs that are not about the backup itself.

#include "updater/UserFilesBackup.h"

#include <memory>

namespace updater::testing {

struct BackupAnswer
{
    qint16 result = UserFilesBackup::BackupMade;
    QString message;
    int calls = 0;
    QString prompt;
};

class FakeBackup : public UserFilesBackup
{
public:
    explicit FakeBackup(BackupAnswer& answer) : m_answer(answer) {}
    qint16 backupUserFiles(qint32, const QString& prompt, QString& message) override
    {
        ++m_answer.calls;
        m_answer.prompt = prompt;
        message = m_answer.message;
        return m_answer.result;
    }
    void setTargetFolder(const QString&) override {}

    static UserFilesBackupFactory factory(BackupAnswer& answer)
    {
        return [&answer](const QString&) { return std::make_unique<FakeBackup>(answer); };
    }

private:
    BackupAnswer& m_answer;
};

} // namespace updater::testing
