#pragma once
// Internal: the binary operators of the evaluator and the unary Not and negation.
#include "engine/value.h"

#include <cstdint>

namespace quill {

// Applies the operator with the given code (see scan.h); throws EvalError on failure.
Value applyOperator(std::uint16_t op, const Value& left, const Value& right);
Value notOf(const Value& v);
Value negate(const Value& v);

} // namespace quill
