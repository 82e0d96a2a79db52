#pragma once

#include <functional>
#include <memory>

// A window or holder the memo window needs only now and then: made on its
// first use, so that the start does not pay for it, or given from outside
// (tests give their own).
template <class T>
class FirstUse {
public:
    explicit FirstUse(std::function<std::unique_ptr<T>()> make)
        : m_make(std::move(make))
    {
    }

    // Uses `given` from now on; nothing changes for none.
    void give(T *given)
    {
        if (given)
            m_object = given;
    }

    bool isMade() const { return m_object != nullptr; }

    T &operator*() { return object(); }
    T *operator->() { return &object(); }

private:
    T &object()
    {
        if (!m_object) {
            m_owned = m_make();
            m_object = m_owned.get();
        }
        return *m_object;
    }

    std::function<std::unique_ptr<T>()> m_make;
    std::unique_ptr<T> m_owned;
    T *m_object = nullptr;
};
