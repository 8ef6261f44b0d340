#pragma once

// clsSQLString: the wine list's SELECT statement, assembled from a fixed catalogue of attribute
// items. Each attribute chosen as a group becomes a column, an ORDER BY key and, where its table
// is not joined yet, a join; the attributes left over make the one display column Wine.
// GetString is called once per builder (a second call appends the title parts again).

#include "reports/winelist/HashTable.h"

#include <memory>
#include <QString>
#include <QStringList>

class clsSQLItem;

class clsSQLString
{
public:
    clsSQLString();

    // Takes catalogue item `theItem` as a group column; raises vb::Error naming it when the
    // catalogue has no such item.
    void AddItem(const QString& theItem);
    QString GetString();

    // The tables of the FROM list, in the order GetString lists them.
    std::vector<QString> tableKeys() const { return m_Tables.Keys(); }

private:
    void addCatalogueItem(const QString& key, const QString& table, const QString& field,
                          const QString& selectSQL, const QString& whereSQL);
    std::shared_ptr<clsSQLItem> item(const QString& key) const;

    QString m_select;
    QString m_from;
    QString m_where;
    QString m_orderBy;
    HashTable m_Items;
    HashTable m_Tables;
    QStringList m_TitleParts;
};
