#pragma once

#include <exception>
#include <string_view>

// The error numbers this program can raise, as the user sees them.
enum class ErrorCode { Overflow = 6, TypeMismatch = 13 };

class RuntimeError : public std::exception
{
public:
    explicit RuntimeError(ErrorCode code) : m_code(code) { }

    ErrorCode code() const { return m_code; }
    int number() const { return static_cast<int>(m_code); }
    // The Chinese description, UTF-8 encoded.
    std::string_view description() const;
    const char *what() const noexcept override;

private:
    ErrorCode m_code;
};
