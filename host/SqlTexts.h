#pragma once

// The host's numbered SQL texts, in Jet SQL on the main wine database at version 11 (and, for
// the locations report's work table, the settings database). Placeholders are filled in by the
// caller:
//    7  cellar book, one row per wine of tblReportSource; "[_%1%_]" = exchange-rate factor
//  101  tasting notes of one wine: Date, Score, NoteText; "[_%1%_]" = the wine's key
//  102  transactions of one wine: Date, Store, NoteText, Quantity, Tx_DisplayCost;
//       "[_%1%_]" = exchange-rate factor, "[_%2%_]" = the wine's key
//   28  tblLocationReport by location: Location, Quantity, WineTitle
//   29  tblLocationReport by wine: the same fields
//   79  empties tblLocationReport
//   93  purchase dates of one wine, oldest first; "[_%1%_]" = the wine's key
//   94  removal dates of one wine, oldest first
//   95  tasting-note dates of one wine, oldest first
// Text 7's Wine_Picture is the label picture's full path: pictures stored relative to the
// installation are taken from the host's folder.

#include "reports/NumberedTexts.h"

#include <QObject>
#include <QString>

namespace host {

class SqlTexts : public QObject, public reports::NumberedTexts
{
    Q_OBJECT
    Q_INTERFACES(reports::NumberedTexts)

public:
    // appPath: the host's folder with its trailing separator.
    explicit SqlTexts(QString appPath, QObject* parent = nullptr);

    // Raises vb::Error 9 naming the number when there is no such text.
    QString Item(qint16 index) const override;

    // The numbers there are texts for.
    static QList<qint16> numbers();

private:
    QString m_appPath;
};

// The tables every wine's names come from, joined to tblWines; the saved queries' conditions
// name fields of these tables.
QString wineTablesJoin();

} // namespace host
