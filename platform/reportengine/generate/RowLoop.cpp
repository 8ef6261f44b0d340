// The data pass of a report: rows, group breaks and bound sections.
#include "platform/reportengine/generate/RowLoop.h"

#include "platform/reportengine/generate/GenerationContext.h"
#include "platform/reportengine/generate/ReportEvents.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace report {

RowLoop::RowLoop(Report& report, GenerationContext& context) : m_report(report), m_context(context)
{
    for (const auto& section : report.sections()) {
        switch (section->kind()) {
        case SectionKind::GroupHeader:
            m_headers.push_back(section.get());
            break;
        case SectionKind::GroupFooter:
            m_footers.push_back(section.get());
            break;
        case SectionKind::Detail:
            m_detail = section.get();
            break;
        default:
            break;
        }
    }
    // Footers come innermost first in the layout.
    std::reverse(m_footers.begin(), m_footers.end());
}

void RowLoop::open()
{
    DataControl& data = m_report.dataControl();
    if (data.isBound()) {
        data.open();
        jet::Recordset& recordset = data.recordset();
        for (int i = 0; i < recordset.fieldCount(); ++i)
            m_fieldNames << recordset.field(i).name;
    }
    prepareBindings();
}

void RowLoop::close()
{
    m_report.dataControl().close();
}

int RowLoop::fieldIndex(const QString& field) const
{
    for (int i = 0; i < m_fieldNames.size(); ++i) {
        if (m_fieldNames[i].compare(field, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void RowLoop::prepareBindings()
{
    m_bindings.clear();
    m_groupFields.clear();
    for (Section* header : m_headers)
        m_groupFields.push_back(header->dataField().isEmpty() ? -1
                                                              : fieldIndex(header->dataField()));
}

const RowLoop::Bindings& RowLoop::bindingsOf(Section& section)
{
    auto it = m_bindings.find(&section);
    if (it != m_bindings.end())
        return *it;
    Bindings bindings;
    for (const auto& control : section.controls()) {
        if (auto* box = dynamic_cast<TextBox*>(control.get()); box && !box->dataField().isEmpty())
            bindings.textBoxes.emplace_back(box, fieldIndex(box->dataField()));
        else if (auto* picture = dynamic_cast<Picture*>(control.get());
                 picture && !picture->dataField().isEmpty())
            bindings.pictures.emplace_back(picture, fieldIndex(picture->dataField()));
    }
    return *m_bindings.insert(&section, std::move(bindings));
}

void RowLoop::bind(Section& section, const Row& row)
{
    if (m_fieldNames.isEmpty())
        return;
    const Bindings& bindings = bindingsOf(section);
    for (const auto& [box, index] : bindings.textBoxes) {
        if (index >= 0 && static_cast<std::size_t>(index) < row.size())
            box->bindValue(row[index]);
        else
            box->bindValue(vb::Variant());
    }
    for (const auto& [picture, index] : bindings.pictures) {
        // A stored picture binds; a path is the module's to load.
        if (index >= 0 && static_cast<std::size_t>(index) < row.size() &&
            row[index].type() == vb::VarType::ByteArray) {
            QImage image;
            image.loadFromData(row[index].toBytes());
            picture->setPicture(image);
        }
    }
}

void RowLoop::format(Section& section, const Row& row)
{
    bind(section, row);
    section.raiseFormat();
}

void RowLoop::bindCurrentRow(Section& section)
{
    format(section, m_current);
}

RowLoop::Row RowLoop::readRow()
{
    jet::Recordset& recordset = m_report.dataControl().recordset();
    Row row;
    row.reserve(m_fieldNames.size());
    for (int i = 0; i < m_fieldNames.size(); ++i)
        row.push_back(recordset.value(i));
    return row;
}

QStringList RowLoop::groupKeys(const Row& row) const
{
    QStringList keys;
    for (int index : m_groupFields) {
        if (index < 0 || static_cast<std::size_t>(index) >= row.size()) {
            keys << QString();
            continue;
        }
        const vb::Variant& value = row[index];
        keys << (value.isNull() ? u"\x01Null"_s : value.toString());
    }
    return keys;
}

bool RowLoop::run(const Emit& print)
{
    const int groups = static_cast<int>(m_headers.size());
    DataControl& data = m_report.dataControl();
    const auto emitHeaders = [&](int from, const Row& row) {
        for (int g = from; g < groups; ++g) {
            format(*m_headers[g], row);
            print(*m_headers[g], g);
        }
    };
    const auto emitFooters = [&](int downTo, const Row& row) {
        for (int g = groups - 1; g >= downTo; --g) {
            format(*m_footers[g], row);
            print(*m_footers[g], g);
        }
    };

    if (!data.isOpen()) {
        // No data: the detail prints once.
        ReportEvents::fetchData(m_report);
        emitHeaders(0, m_current);
        format(*m_detail, m_current);
        print(*m_detail, -1);
        emitFooters(0, m_current);
        return true;
    }

    jet::Recordset& recordset = data.recordset();
    QStringList previousKeys;
    bool hasRows = false;
    for (;;) {
        if (m_context.stopRequested())
            return false;
        ReportEvents::fetchData(m_report);
        if (recordset.eof())
            break;
        Row row = readRow();
        QStringList keys = groupKeys(row);
        int firstBreak = 0;
        if (hasRows) {
            firstBreak = groups;
            for (int g = 0; g < groups; ++g) {
                if (keys[g] != previousKeys[g]) {
                    firstBreak = g;
                    break;
                }
            }
            emitFooters(firstBreak, m_current);
        }
        m_current = std::move(row);
        emitHeaders(firstBreak, m_current);
        format(*m_detail, m_current);
        print(*m_detail, -1);
        previousKeys = std::move(keys);
        hasRows = true;
        recordset.moveNext();
        m_context.pumpEvents();
    }
    if (!hasRows) {
        m_current = Row(m_fieldNames.size(), vb::Variant::null());
        emitHeaders(0, m_current);
    }
    emitFooters(0, m_current);
    return true;
}

} // namespace report
