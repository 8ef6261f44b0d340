#pragma once

// The table of contents of an HTML export in its three forms: a DL definition list, an
// expandable tree (nested lists of DETAILS elements, opened and closed by the reader without
// any script) and an XML document. Entries nest by their level.

#include <QByteArray>
#include <QString>
#include <vector>

namespace report {

struct HtmlTocEntry
{
    int level = 0;
    QString text;
    QString href; // the entry's anchor, relative to the page that shows the contents
    int page = 0; // 1-based
};

// `target` names the frame the links open in ("" for the same window).
QString tocDefinitionList(const std::vector<HtmlTocEntry>& entries, const QString& target);
QString tocTree(const std::vector<HtmlTocEntry>& entries, const QString& target);
// A UTF-8 XML document: <TableOfContents> with nested <Entry Text= Page= Href=> elements.
QByteArray tocXml(const std::vector<HtmlTocEntry>& entries, const QString& title);

} // namespace report
