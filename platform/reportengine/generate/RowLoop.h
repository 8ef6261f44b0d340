#pragma once

// Walks a report's data: opens its data control, raises FetchData for every row (and once at
// the end, with EOF visible), and hands each section to print to the caller in report order:
// group footers of the groups that end (bound to the group's last row, innermost first), group
// headers of the groups that begin (bound to the new row, outermost first), then the detail.
// A section handed on has its fields bound and its Format raised.
//
// A report whose data returns no rows still formats its group headers and footers once (with
// EOF visible, so a module can hide them); a report with no data source prints its detail
// once. Report header and footer are the caller's, bound like the page sections with
// bindCurrentRow().

#include "platform/reportengine/model/Report.h"

#include <functional>
#include <QHash>
#include <vector>

namespace report {

class GenerationContext;

class RowLoop
{
public:
    // `print(section, groupLevel)`: groupLevel is the group's depth (0 outermost) for group
    // headers and footers, -1 for the detail.
    using Emit = std::function<void(Section& section, int groupLevel)>;

    RowLoop(Report& report, GenerationContext& context);

    // Opens the data (after DataInitialize). Errors of the data control propagate.
    void open();
    // Runs every row; returns false when a stop request ended it early.
    bool run(const Emit& print);
    // Binds a section (page header or footer, report header or footer) to the current row
    // and raises its Format.
    void bindCurrentRow(Section& section);
    void close();

private:
    using Row = std::vector<vb::Variant>;
    struct Bindings
    {
        std::vector<std::pair<TextBox*, int>> textBoxes;
        std::vector<std::pair<Picture*, int>> pictures;
    };

    int fieldIndex(const QString& field) const;
    void prepareBindings();
    const Bindings& bindingsOf(Section& section);
    void bind(Section& section, const Row& row);
    void format(Section& section, const Row& row);
    Row readRow();
    QStringList groupKeys(const Row& row) const;

    Report& m_report;
    GenerationContext& m_context;
    std::vector<Section*> m_headers; // outermost first
    std::vector<Section*> m_footers; // outermost first (paired with m_headers)
    Section* m_detail = nullptr;
    QStringList m_fieldNames;
    QHash<Section*, Bindings> m_bindings;
    std::vector<int> m_groupFields; // field index per header, -1 when it never breaks
    Row m_current;
};

} // namespace report
