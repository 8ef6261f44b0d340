#pragma once

// clsSQLItem: one attribute of the wine list's catalogue - its table and field, the column
// expression it selects and the join condition its table needs (may be empty).

#include <QObject>
#include <QString>

class clsSQLItem : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    void Init(const QString& theTable, const QString& theField, const QString& theSelectSQL,
              const QString& theWhere);

    QString Table;
    QString Field;
    QString SelectSQL;
    QString WhereSQL;
};
