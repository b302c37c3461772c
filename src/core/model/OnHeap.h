#pragma once

#include <cstddef>
#include <memory>

// A value kept on the heap that copies, compares and indexes like a plain
// member. The segment tables hold hundreds of kilobytes each: as members of
// records made on the stack (the state of a command, a file being read) they
// would overflow a small stack. The value is made, as a default T, on its
// first use, also after it was moved away: a record that is only made and
// moved costs no allocation.
template <typename T> class OnHeap {
public:
    OnHeap() = default;
    OnHeap(const OnHeap& other)
        : m_value(other.m_value ? std::make_unique<T>(*other.m_value) : nullptr) {}
    OnHeap(OnHeap&&) noexcept = default;
    OnHeap& operator=(const OnHeap& other) {
        if (this != &other)
            m_value = other.m_value ? std::make_unique<T>(*other.m_value) : nullptr;
        return *this;
    }
    OnHeap& operator=(OnHeap&&) noexcept = default;
    ~OnHeap() = default;

    auto& operator[](std::size_t i) { return value()[i]; }
    const auto& operator[](std::size_t i) const { return value()[i]; }

    friend bool operator==(const OnHeap& a, const OnHeap& b) {
        return (!a.m_value && !b.m_value) || a.value() == b.value();
    }

private:
    T& value() const {
        if (!m_value)
            m_value = std::make_unique<T>();
        return *m_value;
    }

    mutable std::unique_ptr<T> m_value;
};
