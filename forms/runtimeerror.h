// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <stdexcept>

namespace forms
{

// A run-time error of the forms layer. Handlers that arm error handling catch it and run their
// fallback steps; the layer's event dispatch catches any other so that a fault ends only the
// handler it happened in, never the program.
class RuntimeError : public std::runtime_error
{
public:
    enum class Code {
        InvalidCall = 5,         // an argument outside what a call accepts
        Overflow = 6,            // a number too large for its target type
        SubscriptOutOfRange = 9, // an array index outside the array
        TypeMismatch = 13,       // a text that is not a number where a number is needed
        NoSuchElement = 340,     // a control-array element that does not exist
        InvalidPropertyValue = 380,
    };

    RuntimeError(Code code, const char *what) : std::runtime_error(what), m_code(code) {}

    Code code() const { return m_code; }

private:
    Code m_code;
};

} // namespace forms
