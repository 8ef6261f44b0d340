#pragma once

// What every ADOX collection offers: a count, items by position or by name (ADO's "item not
// found" 3265 for neither), and range-for over the items. Items live as long as the
// collection holds them, so a reference taken from item() stays valid until the item is
// removed.

#include "jet/Error.h"

#include <memory>
#include <QString>
#include <QStringList>
#include <vector>

namespace jet::adox {

template <typename T>
class Collection
{
public:
    explicit Collection(QString source) : m_source(std::move(source)) {}
    Collection(const Collection&) = delete;
    Collection& operator=(const Collection&) = delete;

    int count() const { return static_cast<int>(m_items.size()); }

    T& item(int index)
    {
        if (index < 0 || index >= count()) {
            throw Error::itemNotFound(QString::number(index), m_source);
        }
        return *m_items[static_cast<std::size_t>(index)];
    }

    T& item(const QString& name)
    {
        T* found = find(name);
        if (!found) {
            throw Error::itemNotFound(name, m_source);
        }
        return *found;
    }

    // The item of that name (an exact match first, then ignoring case), or nullptr.
    T* find(const QString& name) const
    {
        for (const auto& item : m_items) {
            if (item->name() == name) {
                return item.get();
            }
        }
        for (const auto& item : m_items) {
            if (item->name().compare(name, Qt::CaseInsensitive) == 0) {
                return item.get();
            }
        }
        return nullptr;
    }

    class Iterator
    {
    public:
        using Base = typename std::vector<std::unique_ptr<T>>::const_iterator;
        explicit Iterator(Base base) : m_base(base) {}
        T& operator*() const { return **m_base; }
        Iterator& operator++()
        {
            ++m_base;
            return *this;
        }
        bool operator!=(const Iterator& other) const { return m_base != other.m_base; }

    private:
        Base m_base;
    };
    Iterator begin() const { return Iterator(m_items.begin()); }
    Iterator end() const { return Iterator(m_items.end()); }

protected:
    // Makes the collection hold exactly `names`, in that order, keeping the objects of names
    // it already holds (so references to them stay valid).
    template <typename Make>
    void syncNames(const QStringList& names, Make&& make)
    {
        std::vector<std::unique_ptr<T>> synced;
        for (const QString& name : names) {
            auto it = std::find_if(m_items.begin(), m_items.end(),
                                   [&](const auto& item) { return item && item->name() == name; });
            if (it != m_items.end()) {
                synced.push_back(std::move(*it));
            } else {
                synced.push_back(make(name));
            }
        }
        m_items = std::move(synced);
    }

    std::vector<std::unique_ptr<T>> m_items;
    QString m_source;
};

} // namespace jet::adox
