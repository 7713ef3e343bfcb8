#pragma once
// Errors travel as values: a Result is either a value or an Error carrying the text that the one place
// which reports it will print (for a platform error: the system's text and the code, already formatted),
// and the kind of failure where a caller acts on it.

#include <string>
#include <utility>
#include <variant>

namespace tolmin {

// What a caller must tell apart beside the text.
enum class ErrorKind {
    Failed,      // reported, nothing else to do
    DeviceLost,  // the graphics device behind a render target is gone: a new render target mends it
};

struct Error {
    std::string text;
    ErrorKind kind = ErrorKind::Failed;
};

template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Result(Error error) : state_(std::in_place_index<1>, std::move(error)) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() & { return std::get<0>(state_); }
    const T& value() const& { return std::get<0>(state_); }
    T&& value() && { return std::get<0>(std::move(state_)); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }

    const Error& error() const { return std::get<1>(state_); }

private:
    std::variant<T, Error> state_;
};

template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Error error) : error_(std::move(error)), failed_(true) {}

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const Error& error() const { return error_; }

private:
    Error error_;
    bool failed_ = false;
};

}  // namespace tolmin
