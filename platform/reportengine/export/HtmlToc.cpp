// The HTML export's table of contents as a DL list, an expandable tree or XML.

#include "platform/reportengine/export/HtmlToc.h"

#include <functional>

using namespace Qt::StringLiterals;

namespace report {

namespace {

// The entries as a tree: children of an entry are the entries after it with a deeper level,
// up to the next entry at its level or above.
struct TocNode
{
    const HtmlTocEntry* entry = nullptr;
    std::vector<TocNode> children;
};

std::vector<TocNode> buildTree(const std::vector<HtmlTocEntry>& entries, std::size_t& at,
                               int parentLevel)
{
    std::vector<TocNode> nodes;
    while (at < entries.size() && entries[at].level > parentLevel) {
        TocNode node{&entries[at], {}};
        ++at;
        node.children = buildTree(entries, at, node.entry->level);
        nodes.push_back(std::move(node));
    }
    return nodes;
}

std::vector<TocNode> tree(const std::vector<HtmlTocEntry>& entries)
{
    std::size_t at = 0;
    std::vector<TocNode> roots;
    while (at < entries.size()) {
        auto more = buildTree(entries, at, entries[at].level - 1);
        roots.insert(roots.end(), std::make_move_iterator(more.begin()),
                     std::make_move_iterator(more.end()));
    }
    return roots;
}

QString link(const HtmlTocEntry& entry, const QString& target)
{
    QString a = u"<a href=\""_s + entry.href.toHtmlEscaped() + u'"';
    if (!target.isEmpty())
        a += u" target=\""_s + target.toHtmlEscaped() + u'"';
    return a + u'>' + entry.text.toHtmlEscaped() + u"</a>"_s;
}

QString definitionList(const std::vector<TocNode>& nodes, const QString& target)
{
    QString html = u"<dl>\n"_s;
    for (const TocNode& node : nodes) {
        html += u"<dt>"_s + link(*node.entry, target) + u"</dt>\n"_s;
        if (!node.children.empty())
            html += u"<dd>"_s + definitionList(node.children, target) + u"</dd>\n"_s;
    }
    return html + u"</dl>\n"_s;
}

QString treeList(const std::vector<TocNode>& nodes, const QString& target)
{
    QString html = u"<ul class=\"toctree\">\n"_s;
    for (const TocNode& node : nodes) {
        if (node.children.empty()) {
            html += u"<li>"_s + link(*node.entry, target) + u"</li>\n"_s;
            continue;
        }
        html += u"<li><details open><summary>"_s + link(*node.entry, target) + u"</summary>\n"_s +
                treeList(node.children, target) + u"</details></li>\n"_s;
    }
    return html + u"</ul>\n"_s;
}

QString xmlAttribute(const QString& text)
{
    return text.toHtmlEscaped().replace(u'\n', u"&#10;"_s);
}

QString xmlEntries(const std::vector<TocNode>& nodes, int depth)
{
    QString xml;
    const QString indent(depth * 2, u' ');
    for (const TocNode& node : nodes) {
        xml += indent + u"<Entry Text=\""_s + xmlAttribute(node.entry->text) + u"\" Page=\""_s +
               QString::number(node.entry->page) + u"\" Href=\""_s +
               xmlAttribute(node.entry->href) + u'"';
        if (node.children.empty()) {
            xml += u"/>\n"_s;
            continue;
        }
        xml += u">\n"_s + xmlEntries(node.children, depth + 1) + indent + u"</Entry>\n"_s;
    }
    return xml;
}

} // namespace

QString tocDefinitionList(const std::vector<HtmlTocEntry>& entries, const QString& target)
{
    return definitionList(tree(entries), target);
}

QString tocTree(const std::vector<HtmlTocEntry>& entries, const QString& target)
{
    return treeList(tree(entries), target);
}

QByteArray tocXml(const std::vector<HtmlTocEntry>& entries, const QString& title)
{
    const QString xml = u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<TableOfContents Title=\""_s +
                        xmlAttribute(title) + u"\">\n"_s + xmlEntries(tree(entries), 1) +
                        u"</TableOfContents>\n"_s;
    return xml.toUtf8();
}

} // namespace report
