#pragma once

// A connection string of the form "Keyword=Value;Keyword=Value": keywords are case-insensitive
// and may come in any order; a value is taken as written up to the next ";" (a path with spaces
// needs no quotes), or may be enclosed in double or single quotes, in which case it may hold
// ";" and a doubled quote stands for one quote character. Surrounding blanks are dropped.
//
//   Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/data/My Cellar.qvd;
//   Persist Security Info=False;Jet OLEDB:Database Password=secret

#include <QList>
#include <QPair>
#include <QString>

namespace jet {

class ConnectionString
{
public:
    static inline const QString jetProvider = QStringLiteral("Microsoft.Jet.OLEDB.4.0");
    static inline const QString providerKey = QStringLiteral("Provider");
    static inline const QString dataSourceKey = QStringLiteral("Data Source");
    static inline const QString passwordKey = QStringLiteral("Jet OLEDB:Database Password");

    ConnectionString() = default;

    // Raises ADO's invalid-argument error for a part without "=" or an unterminated quote.
    static ConnectionString parse(const QString& text);

    // The value of a keyword (case-insensitive), or an empty string; has() tells them apart.
    QString value(const QString& keyword) const;
    bool has(const QString& keyword) const;
    // Replaces the value of a keyword, or appends it.
    void setValue(const QString& keyword, const QString& value);

    QString provider() const { return value(providerKey); }
    QString dataSource() const { return value(dataSourceKey); }
    QString databasePassword() const { return value(passwordKey); }
    // True for our provider, compared case-insensitively.
    bool isJetProvider() const;

    // Keywords and values in their order; the last of repeated keywords wins.
    const QList<QPair<QString, QString>>& entries() const noexcept { return m_entries; }

    // The text form: values with ";" or quotes, or surrounding blanks, are quoted.
    QString toString() const;

private:
    QList<QPair<QString, QString>> m_entries;
};

} // namespace jet
