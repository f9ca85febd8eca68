// The event boundary: no exception may leave a toolkit event handler, so every handler runs its
// work through Guard, which catches and reports.
#pragma once

#include <exception>
#include <functional>
#include <string>
#include <utility>

namespace platform::ui {

// Gets where the exception was caught (a short handler name) and the exception itself.
using ExceptionReporter = std::function<void(const std::string& where, std::exception_ptr error)>;

// Installs the reporter and answers the previous one. Null restores the default, which writes to
// standard error and shows the text in an error message box.
ExceptionReporter SetExceptionReporter(ExceptionReporter reporter);

// The text of an exception: what() of a standard exception, else a generic text.
std::string DescribeException(std::exception_ptr error);

// Reports the exception being handled. Call only inside a catch block.
void ReportCurrentException(const char* where) noexcept;

// Runs f; an exception is reported and answered with false.
template <class F> bool Guard(const char* where, F&& f) noexcept {
    try {
        std::forward<F>(f)();
        return true;
    } catch (...) {
        ReportCurrentException(where);
        return false;
    }
}

// Runs f and answers its result, or fallback when it throws.
template <class R, class F> R GuardResult(const char* where, R fallback, F&& f) noexcept {
    try {
        return std::forward<F>(f)();
    } catch (...) {
        ReportCurrentException(where);
        return fallback;
    }
}

} // namespace platform::ui
