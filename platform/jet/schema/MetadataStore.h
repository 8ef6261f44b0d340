#pragma once

// Where the Jet-level schema lives inside the database file: the engine table MSysJetObjects,
// one row per user table (its TableSchema as JSON) and per stored query (its Jet text), plus
// one counter row that every change of the schema moves on. Tables made before this table
// existed have no row; their shape is read from SQLite's own schema (LegacySchema).

#include "TableSchema.h"

#include <optional>
#include <QString>

struct sqlite3;

namespace jet::detail {

class MetadataStore
{
public:
    static inline const QString tableName = QStringLiteral("MSysJetObjects");

    explicit MetadataStore(sqlite3* db) : m_db(db) {}

    bool exists() const;
    // Creates the table when it is missing.
    void ensure();

    std::optional<TableSchema> table(const QString& name) const;
    // Position of a table or query in creation order; nullopt when it has no row.
    std::optional<qint64> ordinal(const QString& name) const;
    // Writes (or rewrites, keeping its place in creation order) a table's description.
    void saveTable(const TableSchema& table);
    void saveQuery(const StoredQuerySchema& query);
    void remove(const QString& name);

    QList<StoredQuerySchema> queries() const;
    std::optional<StoredQuerySchema> query(const QString& name) const;

    qint64 generation() const;
    // Marks the schema as changed for every connection's caches.
    void touch();

private:
    void save(const QString& name, int kind, const QString& definition);

    sqlite3* m_db;
};

} // namespace jet::detail
