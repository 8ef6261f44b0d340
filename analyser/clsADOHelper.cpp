#include "clsADOHelper.h"

#include "CFileInfo.h"
#include "jet/DatabasePassword.h"
#include "jet/Error.h"
#include "vb/Variant.h"

clsADOHelper::clsADOHelper(QString provider) : m_provider(std::move(provider)) {}

QString clsADOHelper::connectionString(const QString& databasePath) const
{
    jet::ConnectionString text;
    text.setValue(jet::ConnectionString::providerKey, m_provider);
    text.setValue(jet::ConnectionString::dataSourceKey, databasePath);
    text.setValue(QStringLiteral("Persist Security Info"), QStringLiteral("False"));
    text.setValue(jet::ConnectionString::passwordKey, jet::DatabasePassword::systemPassword());
    return text.toString();
}

void clsADOHelper::OpenDatabase(jet::Connection& cnn, const QString& sDBFullName,
                                bool bTrapError) const
{
    CFileInfo file;
    file.setFullPathName(sDBFullName);
    if (file.FileExists() && file.attrReadOnly())
        file.setAttrReadOnly(false);

    const QString text = connectionString(sDBFullName);
    if (!cnn.tryOpen(text) && bTrapError) {
        if (!cnn.errors().isEmpty() &&
            cnn.errors().item(0).number == jet::ErrorNumber::AdoProviderNotFound)
            throw DatabaseEngineMissing();
        // Once more without the trap, so the engine's error reaches the caller.
        cnn.open(text);
    }
    if (cnn.errors().isEmpty() && cnn.isOpen())
        cnn.setProperty(jet::Connection::maxBufferSizeProperty, vb::Variant(kMaxBufferSize));
}

void clsADOHelper::OpenRecordset(jet::Recordset& tblRecordset, jet::Connection& dbDatabase,
                                 const QString& sRecordset, bool bReadOnly,
                                 const QString& sIndex) const
{
    tblRecordset.open(sRecordset, dbDatabase, jet::CursorType::Keyset,
                      bReadOnly ? jet::LockType::ReadOnly : jet::LockType::Optimistic,
                      jet::CommandType::TableDirect);
    if (!sIndex.isEmpty() && tblRecordset.index() != sIndex)
        tblRecordset.setIndex(sIndex);
}
