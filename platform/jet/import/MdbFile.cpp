// Opening a Jet file through libmdb and reading its catalog.

#include "platform/jet/import/MdbFile.h"

#include "platform/jet/import/ImportError.h"
#include "platform/jet/import/MdbTools.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <QFile>

using namespace Qt::StringLiterals;

namespace jet::importer {

namespace {

// libmdb takes the character sets of its text conversion from the environment when a file is
// opened; they are set for the open and put back after it.
class EnvironmentOverride
{
public:
    EnvironmentOverride(const char* name, const QByteArray& value) : m_name(name)
    {
        if (const char* old = std::getenv(name)) {
            m_old = QByteArray(old);
        }
        ::setenv(name, value.constData(), 1);
    }
    ~EnvironmentOverride()
    {
        if (m_old) {
            ::setenv(m_name, m_old->constData(), 1);
        } else {
            ::unsetenv(m_name);
        }
    }
    EnvironmentOverride(const EnvironmentOverride&) = delete;
    EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;

private:
    const char* m_name;
    std::optional<QByteArray> m_old;
};

QByteArray jet3Charset(int codePage)
{
    // A charset named by the user wins: some files carry the code page of the machine that
    // made them, not of their text.
    if (const char* chosen = std::getenv("MDB_JET3_CHARSET")) {
        return QByteArray(chosen);
    }
    return codePage > 0 ? "CP" + QByteArray::number(codePage) : QByteArrayLiteral("CP1252");
}

// libmdb keeps an object's id without its high byte (which marks system objects).
constexpr quint32 kObjectNumberMask = 0x00FFFFFF;

} // namespace

void TableDefCloser::operator()(S_MdbTableDef* table) const noexcept
{
    mdb_free_tabledef(table);
}

MdbFile::MdbFile(const QString& path, const JetHeader& header) : m_path(path), m_header(header)
{
    {
        const EnvironmentOverride target("MDB_ICONV", QByteArrayLiteral("UTF-8"));
        const EnvironmentOverride jet3("MDB_JET3_CHARSET", jet3Charset(header.codePage));
        m_mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    }
    if (!m_mdb) {
        throw importError(path, {}, u"libmdb cannot open the file."_s);
    }
    if (!mdb_read_catalog(m_mdb, MDB_ANY)) {
        mdb_close(m_mdb);
        throw importError(path, {},
                          u"its catalog of tables cannot be read; the file is damaged."_s);
    }
    for (unsigned i = 0; i < m_mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(m_mdb->catalog, i));
        m_catalog.append(CatalogEntry{QString::fromUtf8(entry->object_name), entry->object_type,
                                      mdb_is_user_table(entry) != 0,
                                      static_cast<quint32>(entry->table_pg & kObjectNumberMask),
                                      entry});
    }
}

MdbFile::~MdbFile()
{
    mdb_close(m_mdb);
}

QStringList MdbFile::objectNames(int objectType, bool userOnly) const
{
    QStringList names;
    for (const CatalogEntry& entry : m_catalog) {
        if (entry.type == objectType && (entry.userTable || !userOnly)) {
            names.append(entry.name);
        }
    }
    return names;
}

QStringList MdbFile::userTables() const
{
    return objectNames(MDB_TABLE, true);
}

QStringList MdbFile::linkedTables() const
{
    return objectNames(MDB_LINKED_TABLE, false);
}

QStringList MdbFile::storedQueries() const
{
    return objectNames(MDB_QUERY, false);
}

QString MdbFile::storedQueryName(qint64 objectId) const
{
    const auto number = static_cast<quint32>(objectId) & kObjectNumberMask;
    for (const CatalogEntry& entry : m_catalog) {
        if (entry.type == MDB_QUERY && entry.objectNumber == number) {
            return entry.name;
        }
    }
    return {};
}

MdbTablePtr MdbFile::table(const QString& name) const
{
    const auto found = std::find_if(m_catalog.begin(), m_catalog.end(), [&](const auto& entry) {
        return entry.type == MDB_TABLE && entry.name == name;
    });
    MdbTablePtr table(found == m_catalog.end() ? nullptr : mdb_read_table(found->entry));
    if (!table || !mdb_read_columns(table.get())) {
        throw importError(m_path, name, u"its definition cannot be read; the file is damaged."_s);
    }
    mdb_read_indices(table.get());
    return table;
}

} // namespace jet::importer
