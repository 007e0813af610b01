#pragma once
// Internal: the built-in functions. Ffc parses a call into a Call and dispatches on its name;
// each function evaluates the arguments it reads, when it reads them.
#include "engine/convert.h"
#include "engine/eval_context.h"

#include <boost/container/small_vector.hpp>
#include <span>
#include <string_view>

namespace quill {

inline constexpr size_t kMaxArguments = 8;
// Texts that functions build (SPACE$, STRING$, TAB) are bounded so that no expression can
// exhaust memory; a longer one fails.
inline constexpr std::int64_t kMaxBuiltText = 1 << 20;
// So are all the texts they build in one evaluation together: one line can hold a hundred such
// calls at every level of its nesting, and their values all live until the operators apply.
inline constexpr std::int64_t kMaxBuiltTextPerEval = 16 << 20;

struct Call {
    EvalContext& ctx;
    std::u16string_view name;
    boost::container::small_vector<std::u16string_view, kMaxArguments> args;

    size_t count() const { return args.size(); }
    // A missing argument is evaluated as the empty text, which fails in its own Eval call
    // (message shown) and gives the empty value.
    Value arg(size_t i) const { return evalNested(ctx, i < args.size() ? args[i] : u""); }
    double num(size_t i) const { return toDouble(arg(i)); }
    // Via text: the argument's plain text form read back as a number.
    double viaText(size_t i) const { return numberFromText(toText(arg(i))); }
    std::u16string text(size_t i) const { return toText(arg(i)); }
    std::int32_t lng(size_t i) const { return toInt32(arg(i)); }
    std::int16_t cint(size_t i) const { return toInt16(arg(i)); }
};

using Function = Value (*)(const Call&);

struct FunctionEntry {
    std::u16string_view name;
    Function fn;
};

std::span<const FunctionEntry> mathFunctions();
std::span<const FunctionEntry> textFunctions();
std::span<const FunctionEntry> systemFunctions();

// A double result: NaN and infinities fail.
inline Value number(double v) {
    return Value::dbl(checked(v));
}

// The value of the bare names (NOW, DATE, RND, unknown names ...).
Value bareName(std::u16string_view name);
// RND with an argument (nullopt for the bare name).
Value randomNumber(std::optional<float> arg);

} // namespace quill
