// Text functions, number-to-text functions and the Japanese width and code page functions.
#include "engine/error.h"
#include "engine/functions.h"
#include "engine/jtext.h"

namespace quill {
namespace {

// The text STR$ and SSTR$ share: a number's plain text with a leading blank when it is not
// negative (empty counts as 0); truth values and dates as they read.
std::u16string strForm(const Value& v) {
    if (v.isDate() || v.is(Kind::Bool)) return toText(v);
    std::u16string t = toText(v.isEmpty() ? Value::int16(0) : v);
    if (t.empty() || t[0] != u'-') t.insert(t.begin(), u' ');
    return t;
}

std::u16string repeated(const Call& call, std::int32_t count, char16_t c) {
    if (count < 0 || count > kMaxBuiltText) fail();
    call.ctx.builtText += count;
    if (call.ctx.builtText > kMaxBuiltTextPerEval) overCapacity();
    return std::u16string(static_cast<size_t>(count), c);
}

std::u16string trimmed(std::u16string s, bool leading, bool trailing) {
    size_t b = 0, e = s.size();
    if (leading)
        while (b < e && s[b] == u' ') ++b;
    if (trailing)
        while (e > b && s[e - 1] == u' ') --e;
    return s.substr(b, e - b);
}

std::u16string mapCase(std::u16string s, bool upper) {
    for (char16_t& c : s) c = upper ? upperCase(c) : lowerCase(c);
    return s;
}

std::u16string radixDigits(std::uint32_t bits, unsigned radix) {
    static const char16_t digits[] = u"0123456789ABCDEF";
    std::u16string out;
    do {
        out.insert(out.begin(), digits[bits % radix]);
        bits /= radix;
    } while (bits != 0);
    return out;
}

std::u16string hexDigits(std::uint32_t bits) {
    return radixDigits(bits, 16);
}

// HEX$ and OCT$: an integer kind keeps its 16-bit pattern, everything else is rounded to 32
// bits; negative values give their two's-complement digits.
Value radixText(const Call& c, unsigned radix) {
    Value v = c.arg(0);
    std::uint32_t bits = v.is(Kind::Int16) ? static_cast<std::uint16_t>(v.asInt16())
                                           : static_cast<std::uint32_t>(toInt32(v));
    return Value::text(radixDigits(bits, radix));
}

// INSTR(x, y) finds y in x; INSTR(x, y, z) finds z in y from position x (from 1).
Value instrFn(const Call& c) {
    std::int32_t start = 1;
    size_t first = 0;
    if (c.count() >= 3) {
        start = c.lng(0);
        if (start < 1) fail();
        first = 1;
    }
    std::u16string hay = c.text(first), needle = c.text(first + 1);
    if (static_cast<size_t>(start) > hay.size() + (needle.empty() ? 1 : 0)) return Value::int32(0);
    size_t at = hay.find(needle, static_cast<size_t>(start - 1));
    return Value::int32(at == std::u16string::npos ? 0 : static_cast<std::int32_t>(at + 1));
}

Value midFn(const Call& c) {
    std::u16string s = c.text(0);
    std::int32_t start = c.lng(1);
    if (start < 1) fail();
    std::int32_t length = c.count() >= 3 ? c.lng(2) : static_cast<std::int32_t>(s.size());
    if (length < 0) fail();
    if (static_cast<size_t>(start) > s.size()) return Value::text(u"");
    return Value::text(s.substr(static_cast<size_t>(start - 1), static_cast<size_t>(length)));
}

Value leftFn(const Call& c) {
    std::u16string s = c.text(0);
    std::int32_t n = c.lng(1);
    if (n < 0) fail();
    return Value::text(s.substr(0, static_cast<size_t>(n)));
}

Value rightFn(const Call& c) {
    std::u16string s = c.text(0);
    std::int32_t n = c.lng(1);
    if (n < 0) fail();
    size_t keep = std::min(s.size(), static_cast<size_t>(n));
    return Value::text(s.substr(s.size() - keep));
}

Value ascFn(const Call& c) {
    std::u16string s = c.text(0);
    if (s.empty()) fail();
    return Value::int16(static_cast<std::int16_t>(s[0] & 0xFF));
}

Value chrFn(const Call& c) {
    std::int32_t code = c.lng(0);
    if (code < 0 || code > 255) fail();
    return Value::text(std::u16string(1, static_cast<char16_t>(code)));
}

// JIS$: the code page 932 code of the first character, as 16-bit hexadecimal digits.
Value jisFn(const Call& c) {
    std::u16string s = c.text(0);
    if (s.empty()) fail();
    const bool pair = s.size() > 1 && (s[0] & 0xFC00) == 0xD800 && (s[1] & 0xFC00) == 0xDC00;
    size_t units = pair ? 2 : 1;
    auto bytes = encodeCp932Strict(std::u16string_view(s).substr(0, units));
    if (!bytes || bytes->empty()) fail();
    std::uint32_t code = 0;
    for (unsigned char b : *bytes) code = (code << 8) | b;
    return Value::text(hexDigits(code));
}

// KNJ$: the character whose code page 932 code is written in hexadecimal by the argument.
Value knjFn(const Call& c) {
    std::u16string hex = u"&H" + c.text(0);
    std::int32_t code = roundToInt32(numberFromText(hex));
    if (code < 0 || code > 0xFFFF) fail();
    std::string bytes;
    if (code > 0xFF) bytes += static_cast<char>(code >> 8);
    bytes += static_cast<char>(code & 0xFF);
    std::u16string s = decodeCp932(bytes);
    if (s.empty() || s.find(u'\uFFFD') != std::u16string::npos) fail();
    return Value::text(s);
}

Value stringFn(const Call& c) {
    std::int32_t count = c.lng(0);
    Value v = c.arg(1);
    char16_t ch;
    if (v.isText()) {
        if (v.asText().empty()) fail();
        ch = v.asText()[0];
    } else {
        std::int32_t code = toInt32(v);
        if (code < 0 || code > 255) fail();
        ch = static_cast<char16_t>(code);
    }
    return Value::text(repeated(c, count, ch));
}

// STR$: a text is read as a number first.
Value strFn(const Call& c) {
    Value v = c.arg(0);
    if (v.isText()) v = Value::dbl(numberFromText(v.asText()));
    return Value::text(strForm(v));
}

double radixValue(std::u16string_view digits, unsigned radix) {
    std::uint64_t v = 0;
    for (char16_t ch : digits) {
        unsigned d = (ch >= u'0' && ch <= u'9')   ? ch - u'0'
                     : (ch >= u'A' && ch <= u'F') ? ch - u'A' + 10
                                                  : 99;
        if (d >= radix) break;
        v = v * radix + d;
        if (v > 0xFFFFFFFFull) fail();
    }
    // Patterns of up to 16 bits read as 16-bit values, longer ones as 32-bit values.
    if (v <= 0xFFFF) return static_cast<std::int16_t>(static_cast<std::uint16_t>(v));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
}

// VAL reads the longest leading number, skipping blanks, tabs and line feeds anywhere.
Value valFn(const Call& c) {
    std::u16string s;
    for (char16_t ch : c.text(0))
        if (ch != u' ' && ch != u'\t' && ch != u'\n') s += ch;
    for (char16_t& ch : s)
        if (ch >= u'a' && ch <= u'z') ch = static_cast<char16_t>(ch - 32);
    if (s.size() >= 2 && s[0] == u'&' && (s[1] == u'H' || s[1] == u'O'))
        return Value::dbl(radixValue(std::u16string_view(s).substr(2), s[1] == u'H' ? 16 : 8));
    size_t i = 0, end = 0;
    auto digitsFrom = [&](size_t& k) {
        size_t b = k;
        while (k < s.size() && s[k] >= u'0' && s[k] <= u'9') ++k;
        return k - b;
    };
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) ++i;
    size_t n = digitsFrom(i);
    if (i < s.size() && s[i] == u'.') ++i, n += digitsFrom(i);
    if (n == 0) return Value::dbl(0);
    end = i;
    if (i < s.size() && (s[i] == u'E' || s[i] == u'D')) {
        size_t k = i + 1;
        if (k < s.size() && (s[k] == u'+' || s[k] == u'-')) ++k;
        if (digitsFrom(k) > 0) end = k, s[i] = u'E';
    }
    auto v = readNumberText(std::u16string_view(s).substr(0, end));
    if (v) return Value::dbl(*v);
    // The text is a well-formed number here, so it was out of the double range: an overflow
    // fails, while a number too small to hold is 0.
    if (end > i && s[i + 1] == u'-') return Value::dbl(0);
    fail();
}

#define FN(name, body)                                                                             \
    {                                                                                              \
        u"" name, [](const Call& c) -> Value { body }                                              \
    }

const FunctionEntry kText[] = {
    FN("AKCNV$", return Value::text(toFullWidth(c.text(0)));),
    {u"ASC", ascFn},
    {u"CHR$", chrFn},
    FN("HEX$", return radixText(c, 16);),
    {u"INSTR", instrFn},
    {u"JIS$", jisFn},
    FN("KACNV$", return Value::text(toHalfWidth(c.text(0)));),
    {u"KINSTR", instrFn},
    FN("KLEN", return Value::int32(static_cast<std::int32_t>(c.text(0).size()));),
    {u"KMID$", midFn},
    {u"KNJ$", knjFn},
    FN("LCASE$", return Value::text(mapCase(c.text(0), false));),
    {u"LEFT$", leftFn},
    FN("LEN", return Value::int32(static_cast<std::int32_t>(c.text(0).size()));),
    FN("LTRIM$", return Value::text(trimmed(c.text(0), true, false));),
    {u"MID$", midFn},
    FN("OCT$", return radixText(c, 8);),
    {u"RIGHT$", rightFn},
    FN("RTRIM$", return Value::text(trimmed(c.text(0), false, true));),
    FN("SPACE$", return Value::text(repeated(c, c.lng(0), u' '));),
    FN("SPC", return Value::text(repeated(c, c.lng(0), u' '));),
    {u"STR$", strFn},
    FN("SSTR$", return Value::text(SStr(c.arg(0)));),
    {u"STRING$", stringFn},
    FN("TAB", return Value::text(repeated(c, c.lng(0), u'\t'));),
    FN("TRIM", return Value::text(trimmed(c.text(0), true, true));),
    FN("UCASE", return Value::text(mapCase(c.text(0), true));),
    {u"VAL", valFn},
};

#undef FN

} // namespace

std::span<const FunctionEntry> textFunctions() {
    return kText;
}

std::u16string SStr(const Value& v) {
    try {
        if (v.isText() || v.isDate()) return toText(v);
        return strForm(v);
    } catch (const EvalError&) {
        return u"";
    }
}

} // namespace quill
