#pragma once
// The outcome of reading or writing a file: what happened, in the reader's own terms (a code a
// caller switches on), and on a failure the system's reason in words ("No space left on
// device", "Permission denied"), which the command line and the logs show. Windows keep their
// own fixed messages and need only the code.
#include <QString>

#include <utility>

namespace text {

template <class Code> class [[nodiscard]] Result {
public:
    Result(Code code) // NOLINT(google-explicit-constructor): a code alone is an outcome
        : m_code(code)
    {
    }
    Result(Code code, QString reason) : m_code(code), m_reason(std::move(reason)) {}

    Code code() const { return m_code; }
    // Empty when the outcome was a success, or when the failure has no reason beyond its code.
    const QString& reason() const { return m_reason; }

    // Switching on and comparing with the code reads as it did when readers returned the code.
    operator Code() const { return m_code; } // NOLINT(google-explicit-constructor)

private:
    Code m_code;
    QString m_reason;
};

// A write: true when every byte reached its file.
using WriteResult = Result<bool>;

} // namespace text
