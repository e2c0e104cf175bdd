#pragma once

#include <QList>
#include <QStringList>

#include <vector>

// The print list of a two-list print window: the items to print, in the order they were
// added, each shown as one row of texts.
class PrintList {
public:
    virtual ~PrintList() = default;
    virtual int Count() const = 0;
    virtual QStringList Texts(int index) const = 0;
    virtual void Append(const QStringList& texts) = 0;
    // Removes the items at these indexes; indexes out of range are ignored.
    virtual void Remove(const QList<int>& indexes) = 0;
    virtual void Clear() = 0;
};

// A print list of one struct per item; Item has `static Item FromTexts(const QStringList&)`
// and `QStringList Texts() const`.
template <typename Item>
class ItemList : public PrintList {
public:
    const std::vector<Item>& Items() const { return m_items; }

    int Count() const override { return static_cast<int>(m_items.size()); }
    QStringList Texts(int index) const override { return m_items.at(index).Texts(); }
    void Append(const QStringList& texts) override { m_items.push_back(Item::FromTexts(texts)); }
    void Remove(const QList<int>& indexes) override
    {
        std::vector<bool> removed(m_items.size(), false);
        for (int index : indexes)
            if (index >= 0 && index < Count())
                removed[index] = true;
        std::vector<Item> kept;
        kept.reserve(m_items.size());
        for (size_t i = 0; i < m_items.size(); ++i)
            if (!removed[i])
                kept.push_back(std::move(m_items[i]));
        m_items = std::move(kept);
    }
    void Clear() override { m_items.clear(); }

private:
    std::vector<Item> m_items;
};
