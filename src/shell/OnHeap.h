#pragma once

#include <cstddef>
#include <memory>

// A value kept on the heap that copies, compares and indexes like a plain
// member. The segment tables hold hundreds of kilobytes each: as members of
// records made on the stack (the state of a command, a file being read) they
// would overflow a small stack. A moved-from value is still a whole value.
template <typename T> class OnHeap {
public:
    OnHeap()
        : m_value(std::make_unique<T>()) {}
    OnHeap(const OnHeap& other)
        : m_value(std::make_unique<T>(*other.m_value)) {}
    OnHeap(OnHeap&& other)
        : OnHeap() {
        m_value.swap(other.m_value);
    }
    OnHeap& operator=(const OnHeap& other) {
        if (this != &other)
            *m_value = *other.m_value;
        return *this;
    }
    OnHeap& operator=(OnHeap&& other) noexcept {
        m_value.swap(other.m_value);
        return *this;
    }
    ~OnHeap() = default;

    auto& operator[](std::size_t i) { return (*m_value)[i]; }
    const auto& operator[](std::size_t i) const { return static_cast<const T&>(*m_value)[i]; }

    friend bool operator==(const OnHeap& a, const OnHeap& b) { return *a.m_value == *b.m_value; }

private:
    std::unique_ptr<T> m_value;
};
