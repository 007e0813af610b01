#pragma once
// Internal: the state shared by the nested Eval calls of one top-level evaluation.
#include "engine/eval.h"

#include <cstdint>

namespace quill {

struct EvalContext {
    const StatusSink* sink = nullptr;
    int depth = 0;
    // Characters of the texts SPACE$, STRING$ and the like have built so far.
    std::int64_t builtText = 0;
    // Characters of the texts the nested calls have been given so far.
    std::int64_t scannedText = 0;
};

// Nested calls are bounded so that no text can exhaust the stack; a deeper nesting fails the
// whole evaluation (CapacityExceeded).
inline constexpr int kMaxEvalNesting = 200;
// Every nested call scans its text again and keeps a copy or two of it while the calls inside
// it run, so the texts of one evaluation are bounded together: a long line nested deep fails
// instead of taking time and memory in proportion to its length times its depth (a 1 MB line
// of nested calls took 730 MB), and the whole evaluation fails with it. No expression a person
// writes comes near the bound.
inline constexpr std::int64_t kMaxScannedText = 16 << 20;

// One Eval call with its own failure boundary.
Value evalNested(EvalContext& ctx, std::u16string_view text);
// A name or a function call (the call text is in upper case); throws EvalError on failure.
Value Ffc(EvalContext& ctx, std::u16string_view callText);

} // namespace quill
