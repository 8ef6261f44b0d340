// PdfOutline: the outline tree built from table-of-contents entries with libqpdf.

#include "platform/reportengine/export/PdfOutline.h"

#include "platform/reportengine/Twips.h"

#include <memory>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>

namespace report {

namespace {

struct OutlineNode
{
    QString title;
    int level = -1;
    int page = 0;
    int y = 0;
    std::vector<std::unique_ptr<OutlineNode>> children;
};

// Each entry goes under the last entry of a lower level; a level that skips one (0 then 2)
// still nests under the entry before it.
OutlineNode buildTree(const std::vector<std::vector<TocEntry>>& tocByPage)
{
    OutlineNode root;
    std::vector<OutlineNode*> open{&root};
    for (std::size_t page = 0; page < tocByPage.size(); ++page) {
        for (const TocEntry& entry : tocByPage[page]) {
            while (open.size() > 1 && open.back()->level >= entry.level)
                open.pop_back();
            auto node = std::make_unique<OutlineNode>();
            node->title = entry.text;
            node->level = entry.level;
            node->page = static_cast<int>(page);
            node->y = entry.y;
            OutlineNode* raw = node.get();
            open.back()->children.push_back(std::move(node));
            open.push_back(raw);
        }
    }
    return root;
}

int descendantCount(const OutlineNode& node)
{
    int count = 0;
    for (const auto& child : node.children)
        count += 1 + descendantCount(*child);
    return count;
}

// A destination at the entry's height on its page, keeping the reader's zoom.
QPDFObjectHandle destination(QPDF& pdf, const OutlineNode& node)
{
    QPDFObjectHandle page = pdf.getAllPages().at(static_cast<std::size_t>(node.page));
    QPDFObjectHandle box = page.getKey("/MediaBox");
    double pageTop = 0;
    if (box.isArray() && box.getArrayNItems() == 4)
        box.getArrayItem(3).getValueAsNumber(pageTop);
    const double top = pageTop - double(node.y) / kTwipsPerPoint;
    return QPDFObjectHandle::newArray(
        {page, QPDFObjectHandle::newName("/XYZ"), QPDFObjectHandle::newNull(),
         QPDFObjectHandle::newReal(top, 2), QPDFObjectHandle::newNull()});
}

// Makes the items of `parent`'s children and links them as its /First ... /Last, open.
void addChildren(QPDF& pdf, QPDFObjectHandle parent, const OutlineNode& node)
{
    QPDFObjectHandle previous;
    for (const auto& child : node.children) {
        QPDFObjectHandle item = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
        item.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(child->title.toStdString()));
        item.replaceKey("/Parent", parent);
        item.replaceKey("/Dest", destination(pdf, *child));
        if (previous.isInitialized()) {
            item.replaceKey("/Prev", previous);
            previous.replaceKey("/Next", item);
        } else {
            parent.replaceKey("/First", item);
        }
        addChildren(pdf, item, *child);
        previous = item;
    }
    if (previous.isInitialized()) {
        parent.replaceKey("/Last", previous);
        parent.replaceKey("/Count", QPDFObjectHandle::newInteger(descendantCount(node)));
    }
}

} // namespace

void addPdfOutline(QPDF& pdf, const std::vector<std::vector<TocEntry>>& tocByPage)
{
    const OutlineNode root = buildTree(tocByPage);
    if (root.children.empty())
        return;
    QPDFObjectHandle outlines = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
    outlines.replaceKey("/Type", QPDFObjectHandle::newName("/Outlines"));
    addChildren(pdf, outlines, root);
    pdf.getRoot().replaceKey("/Outlines", outlines);
}

} // namespace report
