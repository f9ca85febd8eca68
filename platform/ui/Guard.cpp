#include "platform/ui/Guard.h"

#include "platform/core/Modal.h"

#include <cstdio>

namespace platform::ui {

namespace {

void DefaultReport(const std::string& where, std::exception_ptr error) {
    std::string text = DescribeException(error);
    std::fprintf(stderr, "Unhandled error in %s: %s\n", where.c_str(), text.c_str());
    try {
        std::rethrow_exception(error);
    } catch (const core::UnexpectedModal&) {
        return; // already counted; a further box would only be refused again
    } catch (...) {
    }
    try {
        core::MessageBox(text, {}, core::MB_OK | core::MB_ICONERROR);
    } catch (...) {
    }
}

ExceptionReporter& Reporter() {
    static ExceptionReporter reporter = DefaultReport;
    return reporter;
}

} // namespace

ExceptionReporter SetExceptionReporter(ExceptionReporter reporter) {
    ExceptionReporter previous = std::move(Reporter());
    Reporter() = reporter ? std::move(reporter) : ExceptionReporter(DefaultReport);
    return previous;
}

std::string DescribeException(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Unknown error";
    }
}

void ReportCurrentException(const char* where) noexcept {
    try {
        Reporter()(where ? where : "event", std::current_exception());
    } catch (...) {
        std::fprintf(stderr, "Error while reporting an error in %s\n", where ? where : "event");
    }
}

} // namespace platform::ui
