// PageDocument: the newest pages in memory, the older ones in a disk cache, page fields
// resolved as pages are read.

#include "platform/reportengine/page/PageDocument.h"

#include "platform/reportengine/page/PageDiskCache.h"
#include "platform/vb/Error.h"

#include <deque>

using namespace Qt::StringLiterals;

namespace report {

struct PageDocument::Impl
{
    PageDiskCache onDisk;      // pages 0 .. onDisk.count() - 1
    std::deque<Page> inMemory; // the pages after them, oldest first
    ImageStore images;
    GenerationState state = GenerationState::Empty;
    int errorNumber = 0;
    QString errorDescription;
    QString errorSource;
};

namespace {

void resolveFields(Page& page, int index, int count)
{
    for (DisplayItem& item : page.items) {
        auto* text = std::get_if<TextItem>(&item);
        if (!text || text->field == PageField::None)
            continue;
        const int value = text->field == PageField::PageNumber ? index + 1 : count;
        text->lines = QStringList{QString::number(value)};
    }
}

} // namespace

PageDocument::PageDocument() : m_impl(std::make_unique<Impl>()) {}

PageDocument::~PageDocument() = default;

int PageDocument::count() const noexcept
{
    return m_impl->onDisk.count() + static_cast<int>(m_impl->inMemory.size());
}

Page PageDocument::page(int index) const
{
    const int total = count();
    if (index < 0 || index >= total)
        throw vb::Error(
            vb::ErrorNumber::SubscriptOutOfRange,
            u"Subscript out of range: there is no page %1 in a report of %2 pages."_s.arg(index + 1)
                .arg(total),
            u"report"_s);
    const int onDisk = m_impl->onDisk.count();
    Page page = index < onDisk ? m_impl->onDisk.read(index)
                               : m_impl->inMemory[static_cast<std::size_t>(index - onDisk)];
    resolveFields(page, index, total);
    return page;
}

void PageDocument::append(Page page)
{
    m_impl->inMemory.push_back(std::move(page));
    if (m_impl->inMemory.size() > static_cast<std::size_t>(kPagesInMemory)) {
        m_impl->onDisk.write(m_impl->inMemory.front());
        m_impl->inMemory.pop_front();
    }
}

void PageDocument::clear()
{
    m_impl->onDisk.clear();
    m_impl->inMemory.clear();
    m_impl->images.clear();
    setState(GenerationState::Empty);
}

ImageStore& PageDocument::images() noexcept
{
    return m_impl->images;
}

const ImageStore& PageDocument::images() const noexcept
{
    return m_impl->images;
}

GenerationState PageDocument::state() const noexcept
{
    return m_impl->state;
}

void PageDocument::setState(GenerationState state)
{
    m_impl->state = state;
    if (state != GenerationState::Failed) {
        m_impl->errorNumber = 0;
        m_impl->errorDescription.clear();
        m_impl->errorSource.clear();
    }
}

int PageDocument::errorNumber() const noexcept
{
    return m_impl->errorNumber;
}

QString PageDocument::errorDescription() const
{
    return m_impl->errorDescription;
}

QString PageDocument::errorSource() const
{
    return m_impl->errorSource;
}

void PageDocument::setFailed(int number, const QString& description, const QString& source)
{
    m_impl->state = GenerationState::Failed;
    m_impl->errorNumber = number;
    m_impl->errorDescription = description;
    m_impl->errorSource = source;
}

} // namespace report
