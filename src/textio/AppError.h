// The one exception type of the program: it carries the text the operator sees.
#pragma once

#include <stdexcept>
#include <string>

namespace textio {

class AppError : public std::runtime_error {
public:
    explicit AppError(const std::string& text) : std::runtime_error(text) {}
};

// The runtime's texts, shared by every reader, writer and conversion.
namespace msg {
inline constexpr const char* fileNotFound = "File not found";
inline constexpr const char* accessDenied = "File access denied";
inline constexpr const char* invalidNumericInput = "Invalid numeric input";
inline constexpr const char* diskFull = "Disk full";
inline constexpr const char* divisionByZero = "Floating point division by zero";
inline constexpr const char* invalidOperation = "Invalid floating point operation";
inline constexpr const char* overflow = "Floating point overflow";
} // namespace msg

} // namespace textio
