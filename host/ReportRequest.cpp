// Report names and ProgIDs.

#include "host/ReportRequest.h"

#include "reports/ProgIds.h"

#include <array>

using namespace Qt::StringLiterals;

namespace host {

namespace {

struct Entry
{
    ReportKind kind;
    const char16_t* name;
};

constexpr std::array<Entry, 4> kReports{{{ReportKind::WineList, u"winelist"},
                                         {ReportKind::CellarSummary, u"summary"},
                                         {ReportKind::CellarBook, u"cellarbook"},
                                         {ReportKind::Locations, u"locations"}}};

} // namespace

std::optional<ReportKind> reportKindFromName(const QString& name)
{
    for (const Entry& entry : kReports)
        if (name.compare(QString::fromUtf16(entry.name), Qt::CaseInsensitive) == 0)
            return entry.kind;
    return std::nullopt;
}

QString reportName(ReportKind kind)
{
    for (const Entry& entry : kReports)
        if (entry.kind == kind)
            return QString::fromUtf16(entry.name);
    return {};
}

QStringList reportNames()
{
    QStringList names;
    for (const Entry& entry : kReports)
        names << QString::fromUtf16(entry.name);
    return names;
}

QString progIdOf(ReportKind kind)
{
    switch (kind) {
    case ReportKind::WineList:
        return reports::progid::WineList;
    case ReportKind::CellarSummary:
        return reports::progid::CellarSummary;
    case ReportKind::CellarBook:
        return reports::progid::CellarBook;
    case ReportKind::Locations:
        return reports::progid::Locations;
    }
    return {};
}

} // namespace host
