#pragma once

#include <QString>

#include <optional>
#include <utility>

// How every routine of the program that can fail says so: it returns a
// Result, which holds either what the routine made (nothing, for Result<>)
// or the message, in Italian and ready to show, that says why it could not.
// A Result must be looked at: dropping one unread is a compile-time warning.
template <typename T = void> class [[nodiscard]] Result {
public:
    Result(T value)
        : m_value(std::move(value)) {}

    static Result failure(QString message) {
        Result r;
        r.m_error = std::move(message);
        return r;
    }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }

    // Only valid when ok().
    const T& value() const& { return *m_value; }
    T& value() & { return *m_value; }
    T&& value() && { return std::move(*m_value); }
    const T* operator->() const { return &*m_value; }

    // Empty when ok().
    const QString& error() const { return m_error; }

private:
    Result() = default;
    std::optional<T> m_value;
    QString m_error;
};

template <> class [[nodiscard]] Result<void> {
public:
    Result() = default;

    static Result failure(QString message) {
        Result r;
        r.m_failed = true;
        r.m_error = std::move(message);
        return r;
    }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const QString& error() const { return m_error; }

private:
    bool m_failed = false;
    QString m_error;
};

// The failure of one Result passed on as another's, which makes nothing of
// its own.
template <typename T, typename U> Result<T> FailureOf(const Result<U>& failed) {
    return Result<T>::failure(failed.error());
}
