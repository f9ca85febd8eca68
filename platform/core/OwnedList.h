// A list that owns its elements and shows them as plain pointers, so that walking it reads like
// walking a list of pointers while only its holder (which hands out a const reference) changes it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <memory>
#include <vector>

namespace platform::core {

template <typename T> class OwnedList {
    using Owners = std::vector<std::unique_ptr<T>>;

public:
    class Iterator {
    public:
        using iterator_category = std::bidirectional_iterator_tag;
        using value_type = T*;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = T*;

        Iterator() = default;
        T* operator*() const { return m_At->get(); }
        Iterator& operator++() {
            ++m_At;
            return *this;
        }
        Iterator operator++(int) { return Iterator(m_At++); }
        Iterator& operator--() {
            --m_At;
            return *this;
        }
        Iterator operator--(int) { return Iterator(m_At--); }
        bool operator==(const Iterator&) const = default;

    private:
        friend class OwnedList;
        explicit Iterator(typename Owners::const_iterator at) : m_At(at) {}
        typename Owners::const_iterator m_At;
    };
    using iterator = Iterator;
    using const_iterator = Iterator;
    using value_type = T*;
    using size_type = size_t;

    OwnedList() = default;
    OwnedList(const OwnedList&) = delete;
    OwnedList& operator=(const OwnedList&) = delete;
    // In order; the list is empty before the first one goes.
    ~OwnedList() { Clear(); }

    Iterator begin() const { return Iterator(m_Owners.begin()); }
    Iterator end() const { return Iterator(m_Owners.end()); }
    size_t size() const { return m_Owners.size(); }
    bool empty() const { return m_Owners.empty(); }
    T* operator[](size_t i) const { return m_Owners[i].get(); }
    T* front() const { return m_Owners.front().get(); }
    T* back() const { return m_Owners.back().get(); }
    bool Contains(const T* element) const { return std::find(begin(), end(), element) != end(); }
    // A snapshot, for walks during which the list may change.
    operator std::vector<T*>() const { return std::vector<T*>(begin(), end()); }
    bool operator==(const std::vector<T*>& other) const {
        return std::equal(begin(), end(), other.begin(), other.end());
    }

    void Add(std::unique_ptr<T> element) {
        if (element)
            m_Owners.push_back(std::move(element));
    }
    // Hands the element back; null when the list does not hold it.
    std::unique_ptr<T> Take(const T* element) {
        auto it = Find(element);
        if (it == m_Owners.end())
            return nullptr;
        std::unique_ptr<T> taken = std::move(*it);
        m_Owners.erase(it);
        return taken;
    }
    // Deletes the elements in order; a dying element never finds itself or the others here.
    void Clear() {
        Owners dying = std::move(m_Owners);
        m_Owners.clear();
        for (std::unique_ptr<T>& element : dying)
            element.reset();
    }

private:
    typename Owners::iterator Find(const T* element) {
        return std::find_if(m_Owners.begin(), m_Owners.end(),
                            [element](const std::unique_ptr<T>& owner) { return owner.get() == element; });
    }

    Owners m_Owners;
};

} // namespace platform::core
