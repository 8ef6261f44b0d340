#pragma once

// A band of a report: report header and footer, page header and footer, group headers and
// footers, and the detail. A section owns its controls and carries the events the module
// hooks: Format (after the row's fields are bound), BeforePrint (after grown text is measured,
// before the section is placed) and AfterPrint (after it is placed).

#include "platform/reportengine/model/Control.h"

#include <functional>
#include <memory>
#include <QString>
#include <vector>

namespace report {

enum class SectionKind
{
    ReportHeader,
    PageHeader,
    GroupHeader,
    Detail,
    GroupFooter,
    PageFooter,
    ReportFooter,
};

enum class NewPage
{
    None = 0,
    Before = 1,
    After = 2,
    BeforeAfter = 3,
};

enum class RepeatStyle
{
    None = 0,
    OnPage = 1, // the group header prints again at the top of each page its group continues on
};

class Section
{
public:
    using Event = std::function<void()>;

    Section(SectionKind kind, QString name) : m_kind(kind), m_name(std::move(name)) {}
    Section(const Section&) = delete;
    Section& operator=(const Section&) = delete;

    SectionKind kind() const noexcept { return m_kind; }
    const QString& name() const noexcept { return m_name; }

    bool visible() const noexcept { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }
    int height() const noexcept { return m_height; }
    void setHeight(int twips) { m_height = twips; }
    bool canGrow() const noexcept { return m_canGrow; }
    void setCanGrow(bool canGrow) { m_canGrow = canGrow; }
    bool canShrink() const noexcept { return m_canShrink; }
    void setCanShrink(bool canShrink) { m_canShrink = canShrink; }
    bool keepTogether() const noexcept { return m_keepTogether; }
    void setKeepTogether(bool keep) { m_keepTogether = keep; }
    NewPage newPage() const noexcept { return m_newPage; }
    void setNewPage(NewPage newPage) { m_newPage = newPage; }
    BackStyle backStyle() const noexcept { return m_backStyle; }
    void setBackStyle(BackStyle style) { m_backStyle = style; }
    QRgb backColor() const noexcept { return m_backColor; }
    void setBackColor(QRgb color) { m_backColor = color; }

    // Group headers: the field whose change starts a new group ("" for a header that never
    // breaks), and whether the header repeats on the pages its group continues on.
    const QString& dataField() const noexcept { return m_dataField; }
    void setDataField(const QString& field) { m_dataField = field; }
    RepeatStyle repeatStyle() const noexcept { return m_repeatStyle; }
    void setRepeatStyle(RepeatStyle style) { m_repeatStyle = style; }

    // Controls in drawing order. Null when there is no control of that name in this section.
    const std::vector<std::unique_ptr<Control>>& controls() const noexcept { return m_controls; }
    Control* findControl(const QString& name) const;
    Control& addControl(std::unique_ptr<Control> control);

    void setOnFormat(Event handler) { m_onFormat = std::move(handler); }
    void setOnBeforePrint(Event handler) { m_onBeforePrint = std::move(handler); }
    void setOnAfterPrint(Event handler) { m_onAfterPrint = std::move(handler); }
    void raiseFormat() const;
    void raiseBeforePrint() const;
    void raiseAfterPrint() const;

private:
    SectionKind m_kind;
    QString m_name;
    bool m_visible = true;
    int m_height = 360;
    bool m_canGrow = true;
    bool m_canShrink = false;
    bool m_keepTogether = false;
    NewPage m_newPage = NewPage::None;
    BackStyle m_backStyle = BackStyle::Transparent;
    QRgb m_backColor = 0xffffffff;
    QString m_dataField;
    RepeatStyle m_repeatStyle = RepeatStyle::None;
    std::vector<std::unique_ptr<Control>> m_controls;
    Event m_onFormat;
    Event m_onBeforePrint;
    Event m_onAfterPrint;
};

} // namespace report
