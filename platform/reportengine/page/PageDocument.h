#pragma once

// The generated pages of one report run: what the preview shows, the printer prints and the
// export filters write. The generator appends pages as it makes them; everyone else reads.
//
// Memory: the newest pages stay in memory; past kPagesInMemory pages the older ones are written
// to a disk cache (a temporary file that is removed with the document) and read back on demand,
// so a report of thousands of pages runs in bounded memory. Pictures live once in images().
//
// Page fields: items with PageField::PageNumber or PageCount come out of page() with their text
// resolved: the page's own number, and the page count (the count so far while generation runs,
// the final one after it finished). Nothing is guessed while the document is being written.
//
// State: a document says whether its generation is still running, finished, was stopped by the
// user (the pages so far are kept) or failed (the error is kept); a stopped or failed document
// is never passed off as complete.

#include "platform/reportengine/page/ImageStore.h"
#include "platform/reportengine/page/Page.h"

#include <memory>
#include <QString>

namespace report {

enum class GenerationState
{
    Empty,     // nothing generated yet
    Running,
    Finished,
    Stopped,
    Failed,
};

class PageDocument
{
public:
    static constexpr int kPagesInMemory = 200;

    PageDocument();
    ~PageDocument();
    PageDocument(const PageDocument&) = delete;
    PageDocument& operator=(const PageDocument&) = delete;

    int count() const noexcept;
    // Page `index` (0-based) with its page fields resolved. Raises vb::Error 9 out of range.
    Page page(int index) const;
    void append(Page page);
    // Forgets every page and image and the state (a restart of generation).
    void clear();

    ImageStore& images() noexcept;
    const ImageStore& images() const noexcept;

    GenerationState state() const noexcept;
    void setState(GenerationState state);
    // The failure of a Failed document: number, description and source of the error.
    int errorNumber() const noexcept;
    QString errorDescription() const;
    QString errorSource() const;
    void setFailed(int number, const QString& description, const QString& source);

    // Every page as text, one item per line, for tests: "page 1 of 3 (12240 x 15840)", then
    // "  text  name  l,t wxh  \"line 1|line 2\"", "  line x1,y1 x2,y2", "  shape l,t wxh fill",
    // "  image l,t wxh #id mode", "  toc level \"text\" y".
    QString dump() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace report
