#pragma once
// The one way a core function reports how it went: a code from the layer's
// own enum (its first value, Ok, meaning success) and a detail for people who
// read logs or reports (a file name, an SQLite message, a line number). The
// cores never make the Portuguese text a user reads: each UI turns codes into
// its own sentences, in one table per feature. A function that also returns a
// value returns ResultOf<T, Code>, which holds the value only on success.
#include <optional>
#include <string>
#include <utility>

namespace zelvora {

template <typename Code>
class Result {
public:
    Result() = default;
    static Result Ok() { return Result(); }
    static Result Fail(Code code, std::string detail = {}) { return Result(code, std::move(detail)); }

    bool ok() const { return m_code == Code::Ok; }
    explicit operator bool() const { return ok(); }
    Code code() const { return m_code; }
    const std::string& detail() const { return m_detail; }

private:
    Result(Code code, std::string detail)
        : m_code(code)
        , m_detail(std::move(detail))
    {
    }
    Code m_code = Code::Ok;
    std::string m_detail;
};

template <typename T, typename Code>
class ResultOf {
public:
    ResultOf(T value)
        : m_value(std::move(value))
    {
    }
    ResultOf(Result<Code> failure)
        : m_status(std::move(failure))
    {
    }
    static ResultOf Fail(Code code, std::string detail = {}) { return ResultOf(Result<Code>::Fail(code, std::move(detail))); }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    Code code() const { return m_status.code(); }
    const std::string& detail() const { return m_status.detail(); }
    const Result<Code>& status() const { return m_status; }
    const T& value() const& { return *m_value; }
    T& value() & { return *m_value; }
    T&& value() && { return std::move(*m_value); }
    const T& operator*() const { return *m_value; }
    T& operator*() { return *m_value; }
    const T* operator->() const { return &*m_value; }
    T* operator->() { return &*m_value; }

private:
    std::optional<T> m_value;
    Result<Code> m_status;
};

} // namespace zelvora
