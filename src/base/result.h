#pragma once
// Outcome of an operation that can fail on bad input: a value, or a message that names the file
// and, where one is known, the line. The core never shows a message itself; front ends decide.

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace halvern {

struct Error {
    std::string message;
    std::filesystem::path file; // empty when no file is involved
    int line = 0;               // 1-based; 0 when the fault is not on one line

    // "FILE:LINE: message", "FILE: message" or "message".
    std::string text() const;
};

Error make_error(std::string message, std::filesystem::path file = {}, int line = 0);

template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::move(value)) {}
    Result(Error error) : state_(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(state_); }
    explicit operator bool() const { return ok(); }

    T& value() & { return std::get<T>(state_); }
    const T& value() const& { return std::get<T>(state_); }
    T&& value() && { return std::get<T>(std::move(state_)); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }

    const Error& error() const { return std::get<Error>(state_); }

private:
    std::variant<T, Error> state_;
};

template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Error error) : error_(std::move(error)) {}

    bool ok() const { return !error_.has_value(); }
    explicit operator bool() const { return ok(); }
    const Error& error() const { return *error_; }

private:
    std::optional<Error> error_;
};

} // namespace halvern
