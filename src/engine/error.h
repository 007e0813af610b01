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

} // namespace quill
