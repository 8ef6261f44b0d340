#pragma once

// Which report the host runs and with which options: the wine list with its grouping
// ("Primary/Secondary/Tertiary", parts may be empty), the cellar summary, the cellar book with
// or without details (tasting notes and transactions), the locations report by wine or by
// location.

#include <optional>
#include <QString>
#include <QStringList>

namespace host {

enum class ReportKind
{
    WineList,
    CellarSummary,
    CellarBook,
    Locations,
};

struct ReportRequest
{
    ReportKind kind = ReportKind::WineList;
    QString grouping = QStringLiteral("Country/StateRegion/");
    bool details = false;
    QString locationsKind = QStringLiteral("ByWine");
    // Handed to f_CorrectExchangeRate by the cellar book: 1 shows sums in the display currency.
    double exchangeRate = 1.0;
};

// The names of the command line: "winelist", "summary", "cellarbook", "locations".
std::optional<ReportKind> reportKindFromName(const QString& name);
QString reportName(ReportKind kind);
QStringList reportNames();
QString progIdOf(ReportKind kind);

} // namespace host
