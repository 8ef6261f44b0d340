#include "ConstraintMessages.h"

namespace jet::detail {

QString requiredMessage(const QString& table, const QString& column)
{
    return QStringLiteral("The field '%1.%2' cannot contain a Null value because the Required "
                          "property for this field is set to True. Enter a value in this field.")
        .arg(table, column);
}

QString tooLongMessage(const QString& table, const QString& column, int size)
{
    return QStringLiteral("The field is too small to accept the amount of data you attempted to "
                          "add. Try inserting or pasting less data. (Field '%1.%2' holds at most "
                          "%3 characters.)")
        .arg(table, column)
        .arg(size);
}

QString zeroLengthMessage(const QString& table, const QString& column)
{
    return QStringLiteral("Field '%1.%2' cannot be a zero-length string.").arg(table, column);
}

QString overflowMessage(const QString& table, const QString& column, qint64 low, qint64 high)
{
    return QStringLiteral("Numeric field overflow. (Field '%1.%2' holds whole numbers from %3 to "
                          "%4.)")
        .arg(table, column)
        .arg(low)
        .arg(high);
}

QString decimalPrecisionMessage(const QString& table, const QString& column, int precision,
                                int scale)
{
    return QStringLiteral("The decimal field's precision is too small to accept the numeric you "
                          "attempted to add. (Field '%1.%2' holds %3 digits, %4 of them after the "
                          "decimal point.)")
        .arg(table, column)
        .arg(precision)
        .arg(scale);
}

QString indexNullMessage(const QString& table, const QString& index, const QString& column)
{
    return QStringLiteral("Index or primary key cannot contain a Null value. (Field '%1.%2' of "
                          "index '%3'.)")
        .arg(table, column, index);
}

QString relatedRecordRequiredMessage(const QString& relatedTable)
{
    return QStringLiteral("You cannot add or change a record because a related record is "
                          "required in table '%1'.")
        .arg(relatedTable);
}

QString relatedRecordsExistMessage(const QString& table)
{
    return QStringLiteral("The record cannot be deleted or changed because table '%1' includes "
                          "related records.")
        .arg(table);
}

} // namespace jet::detail
