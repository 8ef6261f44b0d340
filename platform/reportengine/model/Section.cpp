// Sections: their controls by name and the events a module hooks.
#include "platform/reportengine/model/Section.h"

namespace report {

Control* Section::findControl(const QString& name) const
{
    for (const auto& control : m_controls) {
        if (control->name().compare(name, Qt::CaseInsensitive) == 0)
            return control.get();
    }
    return nullptr;
}

Control& Section::addControl(std::unique_ptr<Control> control)
{
    m_controls.push_back(std::move(control));
    return *m_controls.back();
}

void Section::raiseFormat() const
{
    if (m_onFormat)
        m_onFormat();
}

void Section::raiseBeforePrint() const
{
    if (m_onBeforePrint)
        m_onBeforePrint();
}

void Section::raiseAfterPrint() const
{
    if (m_onAfterPrint)
        m_onAfterPrint();
}

} // namespace report
