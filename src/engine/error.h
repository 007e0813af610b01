#pragma once
// The one failure type inside the engine. A conversion, an arithmetic step or a function
// argument that fails throws it where it happens; the Eval boundary catches it, reports the
// failure message and yields the empty value. Nothing outside the engine sees it.
#include <exception>

namespace quill {

struct EvalError : std::exception {
    const char* what() const noexcept override { return "evaluation failed"; }
};

[[noreturn]] inline void fail() {
    throw EvalError{};
}

// A bound on the work or memory of one whole evaluation was passed (the texts scanned or built
// by all its nested calls, their nesting, memory itself). Unlike EvalError it is not caught by
// the nested call where it happens: the whole evaluation fails, so a line too big to compute
// never gives a result made from a part of it.
struct CapacityExceeded : std::exception {
    const char* what() const noexcept override { return "evaluation too large"; }
};

[[noreturn]] inline void overCapacity() {
    throw CapacityExceeded{};
}

} // namespace quill
