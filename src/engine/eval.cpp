#include "engine/convert.h"
#include "engine/error.h"
#include "engine/eval_context.h"
#include "engine/operators.h"
#include "engine/scan.h"

#include <algorithm>
#include <array>
#include <boost/container/small_vector.hpp>
#include <string>

namespace quill {
namespace {

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
bool isHexDigit(char16_t c) {
    return isDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

bool allOf(std::u16string_view t, bool (*pred)(char16_t)) {
    return std::all_of(t.begin(), t.end(), pred);
}

bool isPlainNumberChar(char16_t c) {
    return isDigit(c) || c == u',' || c == u'!' || c == u' ';
}
bool isNumberOperandChar(char16_t c) {
    return isDigit(c) || c == u',' || c == u'!' || c == u'.';
}
bool isBinaryDigit(char16_t c) {
    return c == u'0' || c == u'1';
}

std::u16string asciiToU16(const std::string& s) {
    return std::u16string(s.begin(), s.end());
}

// Binary literals shorter than 32 digits; longer ones read as 0.
std::int32_t readBinary(std::u16string_view digits) {
    if (digits.size() >= 32) return 0;
    std::uint32_t v = 0;
    for (char16_t c : digits) v = v * 2 + (c == u'1');
    return static_cast<std::int32_t>(v);
}

// The literal forms of the normalising loop: the decimal text of a hexadecimal or binary
// literal, or nullopt when the working text is none of them.
std::optional<std::u16string> literalText(std::u16string_view t) {
    if (t.size() >= 2 && t[0] == u'&' && (t[1] == u'h' || t[1] == u'H') &&
        allOf(t.substr(2), isHexDigit))
        return asciiToU16(formatDouble(numberFromText(t)));
    if (!t.empty() && (t.back() == u'h' || t.back() == u'H') &&
        allOf(t.substr(0, t.size() - 1), isHexDigit)) {
        std::u16string prefixed = u"&H";
        prefixed.append(t.substr(0, t.size() - 1));
        return asciiToU16(formatDouble(numberFromText(prefixed)));
    }
    if (!t.empty() && (t.back() == u'b' || t.back() == u'B') &&
        allOf(t.substr(0, t.size() - 1), isBinaryDigit))
        return asciiToU16(std::to_string(readBinary(t.substr(0, t.size() - 1))));
    return std::nullopt;
}

// "(...)" whose first closing bracket has no opening bracket after it.
bool strippable(std::u16string_view t) {
    if (t.size() < 2 || t.front() != u'(' || t.back() != u')') return false;
    size_t firstClose = t.find(u')');
    return t.find(u'(', firstClose) == std::u16string_view::npos;
}

// The normalising loop. `storage` holds the working text when it had to be rewritten.
std::u16string_view normalise(std::u16string_view t, std::u16string& storage) {
    // Stripping keeps the first closing bracket's relation to later opening ones, so the
    // bracket test is made once and the loop strips while the text stays enclosed.
    bool enclosedOk = strippable(t);
    while (true) {
        if (!t.empty() && t.front() == u'-') {
            std::u16string prefixed;
            prefixed.reserve(t.size() + 1);
            prefixed += u'0';
            prefixed.append(t);
            storage = std::move(prefixed);
            t = storage;
            enclosedOk = false;
            continue;
        }
        if (enclosedOk && t.size() >= 2 && t.front() == u'(' && t.back() == u')') {
            t = t.substr(1, t.size() - 2);
            continue;
        }
        if (auto lit = literalText(t)) {
            storage = std::move(*lit);
            return storage;
        }
        return t;
    }
}

std::u16string upperCase(std::u16string_view t) {
    std::u16string s(t);
    for (char16_t& c : s)
        if (c >= u'a' && c <= u'z') c = char16_t(c - 32);
    return s;
}

bool startsWithNot(std::u16string_view t) {
    if (t.size() < 3) return false;
    auto up = [](char16_t c) { return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c; };
    return up(t[0]) == u'N' && up(t[1]) == u'O' && up(t[2]) == u'T';
}

std::u16string unquote(std::u16string_view literal) {
    std::u16string out;
    std::u16string_view inner = literal.substr(1, literal.size() - 2);
    for (size_t i = 0; i < inner.size(); ++i) {
        out += inner[i];
        if (inner[i] == u'"' && i + 1 < inner.size() && inner[i + 1] == u'"') ++i;
    }
    return out;
}

Value loneOperand(EvalContext& ctx, const std::u16string& op, std::u16string_view working) {
    if (allOf(op, isNumberOperandChar)) return Value::dbl(numberFromText(op));
    if (op.size() >= 2 && op.front() == u'"' && op.back() == u'"') return Value::text(unquote(op));
    if (op.size() >= 2 && op.front() == u'(' && op.back() == u')')
        return evalNested(ctx, std::u16string_view(op).substr(1, op.size() - 2));
    if (op.front() == u'-') return negate(evalNested(ctx, std::u16string_view(op).substr(1)));
    if (startsWithNot(working)) return notOf(evalNested(ctx, working.substr(3)));
    return Ffc(ctx, upperCase(working));
}

Value operandValue(EvalContext& ctx, const std::u16string& text) {
    if (text.empty()) fail();
    if (allOf(text, isDigit)) return Value::dbl(numberFromText(text));
    return evalNested(ctx, text);
}

struct Slot {
    Value value;
    bool consumed = false;
};

// Operator indices by priority; operators of equal priority keep their text order. An
// insertion sort: an expression holds few operators, and it needs no buffer.
std::array<std::uint8_t, kMaxOperands> evaluationOrder(const ScanOps& ops) {
    std::array<std::uint8_t, kMaxOperands> order;
    for (size_t n = 0; n < ops.size(); ++n) {
        size_t at = n;
        for (; at > 0 && (ops[order[at - 1]] >> 4) > (ops[n] >> 4); --at) order[at] = order[at - 1];
        order[at] = static_cast<std::uint8_t>(n);
    }
    return order;
}

Value severalOperands(EvalContext& ctx, const ScanResult& scan) {
    const size_t opCount = scan.ops.size();
    if (scan.operands.size() > kMaxOperands || opCount + 1 > kMaxOperands) fail();
    // An operator may pair with the slot after the last operand (2**3): that one stays empty.
    boost::container::small_vector<Slot, 8> slots(std::max(scan.operands.size(), opCount + 1));
    for (size_t k = 0; k < scan.operands.size(); ++k)
        slots[k].value = operandValue(ctx, scan.operands[k]);

    const auto order = evaluationOrder(scan.ops);
    for (size_t i = 0; i < opCount; ++i) {
        size_t n = order[i];
        size_t left = n;
        while (left > 0 && slots[left].consumed) --left;
        size_t right = n + 1;
        while (right < opCount && slots[right].consumed) ++right;
        slots[left].value = applyOperator(scan.ops[n], slots[left].value, slots[right].value);
        slots[right].consumed = true;
    }
    return std::move(slots[0].value);
}

bool isDecimalChar(char16_t c) {
    return isDigit(c) || c == u',' || c == u'.';
}

// A number with a decimal point, read as the scan and a lone operand would read it: the scan
// drops every ",", and what is left must be a number.
Value decimalNumber(std::u16string_view text) {
    // Separators before the point are passed over by the number reading itself.
    const size_t point = text.find(u'.');
    if (point == std::u16string_view::npos || text.find(u',', point) == std::u16string_view::npos)
        return Value::dbl(numberFromText(text));
    boost::container::small_vector<char16_t, 32> kept;
    for (char16_t c : text)
        if (c != u',') kept.push_back(c);
    if (kept.empty()) fail();
    return Value::dbl(numberFromText(std::u16string_view(kept.data(), kept.size())));
}

// "+ 1,234.5": the scan passes over a leading "+" and blanks before a number.
bool isSignedDecimal(std::u16string_view text) {
    if (text.empty() || text[0] != u'+') return false;
    text.remove_prefix(std::min(text.find_first_not_of(u' ', 1), text.size()));
    return !text.empty() && allOf(text, isDecimalChar);
}

Value evaluate(EvalContext& ctx, std::u16string_view text) {
    if (allOf(text, isPlainNumberChar)) return Value::dbl(numberFromText(text));
    if (allOf(text, isDecimalChar)) return decimalNumber(text);
    if (isSignedDecimal(text)) return decimalNumber(text.substr(text.find_first_not_of(u"+ ")));
    std::u16string storage;
    std::u16string_view working = normalise(text, storage);
    ScanResult scan = scanExpression(working);
    if (scan.operands.size() == 1) {
        if (scan.operands[0].empty()) fail();
        return loneOperand(ctx, scan.operands[0], working);
    }
    return severalOperands(ctx, scan);
}

} // namespace

Value evalNested(EvalContext& ctx, std::u16string_view text) {
    struct DepthGuard {
        int& d;
        explicit DepthGuard(int& depth) : d(depth) { ++d; }
        ~DepthGuard() { --d; }
    } guard(ctx.depth);
    try {
        if (ctx.depth > kMaxEvalNesting) overCapacity();
        ctx.scannedText += static_cast<std::int64_t>(text.size());
        if (ctx.scannedText > kMaxScannedText) overCapacity();
        return evaluate(ctx, text);
    } catch (const EvalError&) {
    }
    if (ctx.sink && *ctx.sink) (*ctx.sink)(kEvalFailedMessage);
    return Value::empty();
}

Value Eval(std::u16string_view text, const StatusSink& sink) {
    EvalContext ctx{&sink, 0};
    try {
        return evalNested(ctx, text);
    } catch (const CapacityExceeded&) {
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    if (sink) sink(kEvalFailedMessage);
    return Value::empty();
}

} // namespace quill
