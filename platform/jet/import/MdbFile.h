#pragma once

// Internal to the importer: it brings in libmdb's header.
//
// A Jet database file opened read-only through libmdb: its catalog (user tables, linked
// tables, stored queries) and its table definitions. libmdb decodes RC4-encoded pages itself;
// Jet 3 text is decoded in the file's code page.

#include "platform/jet/import/JetFileHeader.h"
#include "platform/jet/import/MdbTools.h"

#include <memory>
#include <QList>
#include <QString>
#include <QStringList>

namespace jet::importer {

struct TableDefCloser
{
    void operator()(S_MdbTableDef* table) const noexcept;
};
// A table definition with its columns and indexes read.
using MdbTablePtr = std::unique_ptr<S_MdbTableDef, TableDefCloser>;

class MdbFile
{
public:
    // Raises when libmdb cannot read the file or its catalog.
    MdbFile(const QString& path, const JetHeader& header);
    ~MdbFile();
    MdbFile(const MdbFile&) = delete;
    MdbFile& operator=(const MdbFile&) = delete;

    const QString& path() const { return m_path; }
    const JetHeader& header() const { return m_header; }
    bool isJet4() const { return m_header.kind == DatabaseFileKind::Jet4; }
    MdbHandle* handle() const { return m_mdb; }

    // In catalog order.
    QStringList userTables() const;
    QStringList linkedTables() const;
    QStringList storedQueries() const;
    // The stored query whose object id (MSysObjects.Id, as MSysQueries.ObjectId holds it) is
    // `objectId`; empty when there is none.
    QString storedQueryName(qint64 objectId) const;

    // A table (user or system) with its columns and indexes; raises when it cannot be read.
    MdbTablePtr table(const QString& name) const;

private:
    struct CatalogEntry
    {
        QString name;
        int type = 0;
        bool userTable = false;
        quint32 objectNumber = 0; // the object id without its high byte
        MdbCatalogEntry* entry = nullptr;
    };
    QStringList objectNames(int objectType, bool userOnly) const;

    QString m_path;
    JetHeader m_header;
    MdbHandle* m_mdb = nullptr;
    // Taken when the file is opened. Tables are read from these entries: looking one up by
    // name would make libmdb read the whole catalog again, and free these.
    QList<CatalogEntry> m_catalog;
};

} // namespace jet::importer
