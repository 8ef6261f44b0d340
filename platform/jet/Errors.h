#pragma once

// The connection's Errors collection: what the provider reported for the last operation that
// failed. A failed operation replaces the contents; the next operation that succeeds clears it,
// so after an open with errors suppressed the caller tests count() to learn whether it worked.

#include <QList>
#include <QString>

namespace vb {
class Error;
}

namespace jet {

struct ErrorItem
{
    int number = 0;
    QString description;
    QString source;
};

class Errors
{
public:
    int count() const noexcept { return static_cast<int>(m_items.size()); }
    bool isEmpty() const noexcept { return m_items.isEmpty(); }
    // Raises ADO's "item not found" for an index out of range.
    const ErrorItem& item(int index) const;

    void clear() noexcept { m_items.clear(); }
    void add(ErrorItem item) { m_items.append(std::move(item)); }
    void add(const vb::Error& error);

    auto begin() const { return m_items.cbegin(); }
    auto end() const { return m_items.cend(); }

private:
    QList<ErrorItem> m_items;
};

} // namespace jet
