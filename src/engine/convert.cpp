#include "engine/convert.h"

#include "engine/datetime.h"
#include "engine/error.h"
#include "engine/float_text.h"
#include "engine/platform.h"
#include "engine/short_decimal.h"

#include <algorithm>
#include <boost/container/small_vector.hpp>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace quill {
namespace {

bool isBlank(char16_t c) {
    return c == u' ';
}
bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

int hexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

std::optional<double> readHexText(std::u16string_view digits) {
    if (digits.empty() || digits.size() > 16) return std::nullopt;
    unsigned long long v = 0;
    for (char16_t c : digits) {
        int d = hexDigit(c);
        if (d < 0) return std::nullopt;
        v = v * 16 + static_cast<unsigned>(d);
    }
    return static_cast<double>(v);
}

// Copies sign, digits, point and exponent into an ASCII buffer for from_chars, dropping the
// group separators of the integer part. Returns false when the text is not a number.
template <typename Buffer> bool numberToAscii(std::u16string_view t, Buffer& out) {
    size_t i = 0;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
        if (t[i] == u'-') out.push_back('-');
        ++i;
    }
    int digits = 0;
    for (; i < t.size() && (isDigit(t[i]) || t[i] == u','); ++i) {
        if (t[i] != u',') out.push_back(static_cast<char>(t[i])), ++digits;
    }
    if (i < t.size() && t[i] == u'.') {
        out.push_back('.');
        for (++i; i < t.size() && isDigit(t[i]); ++i)
            out.push_back(static_cast<char>(t[i])), ++digits;
    }
    if (digits == 0) return false;
    if (i < t.size() && (t[i] == u'e' || t[i] == u'E')) {
        out.push_back('e');
        ++i;
        if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
            out.push_back(static_cast<char>(t[i++]));
        int expDigits = 0;
        for (; i < t.size() && isDigit(t[i]); ++i)
            out.push_back(static_cast<char>(t[i])), ++expDigits;
        if (expDigits == 0) return false;
    }
    return i == t.size();
}

// The commonest numbers read without a copy: at most 15 digits from the first non-zero one,
// and a power of ten a double holds exactly. Digits and power are then both exact doubles, so
// one multiplication or division rounds correctly, as a full reading does. nullopt when the
// text needs the full reading (or is no number; that reading decides).
std::optional<double> readShortNumber(std::u16string_view t) {
    size_t i = 0;
    const bool negative = i < t.size() && t[i] == u'-';
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) ++i;
    std::uint64_t digits = 0;
    int count = 0, anyDigit = 0, power = 0;
    auto take = [&](char16_t c) {
        anyDigit = 1;
        if (digits == 0 && c == u'0') return;
        digits = digits * 10 + static_cast<unsigned>(c - u'0');
        ++count;
    };
    for (; i < t.size() && (isDigit(t[i]) || t[i] == u','); ++i)
        if (t[i] != u',') take(t[i]);
    if (i < t.size() && t[i] == u'.') {
        for (++i; i < t.size() && isDigit(t[i]); ++i) take(t[i]), --power;
    }
    if (i != t.size() || !anyDigit || count > 15 || power < -22) return std::nullopt;
    const double magnitude = static_cast<double>(digits) / kExactPow10[-power];
    return negative ? -magnitude : magnitude;
}

std::u16string asciiToU16(std::string_view s) {
    return std::u16string(s.begin(), s.end());
}

// The digits of an integer, written straight into UTF-16 (the commonest text of a sheet).
std::u16string integerText(long long v) {
    char16_t buf[24];
    char16_t* p = buf + 24;
    unsigned long long m = v < 0 ? 0ull - static_cast<unsigned long long>(v) : v;
    do *--p = static_cast<char16_t>(u'0' + m % 10), m /= 10;
    while (m != 0);
    if (v < 0) *--p = u'-';
    return std::u16string(p, buf + 24);
}

double roundHalfEven(double v) {
    return std::nearbyint(v);
}

} // namespace

double checked(double v) {
    if (!std::isfinite(v)) fail();
    return v;
}

std::optional<double> readNumberText(std::u16string_view t) {
    while (!t.empty() && isBlank(t.front())) t.remove_prefix(1);
    while (!t.empty() && isBlank(t.back())) t.remove_suffix(1);
    if (t.size() >= 2 && t[0] == u'&' && (t[1] == u'H' || t[1] == u'h'))
        return readHexText(t.substr(2));
    if (auto quick = readShortNumber(t)) return quick;
    boost::container::small_vector<char, 48> ascii;
    if (!numberToAscii(t, ascii)) return std::nullopt;
    double v = 0;
    const char* first = ascii.data();
    if (*first == '-') ++first; // from_chars takes no '+', and we add the sign ourselves
    auto [ptr, ec] = readDouble(first, ascii.data() + ascii.size(), v);
    if (ec != std::errc() || ptr != ascii.data() + ascii.size()) return std::nullopt;
    if (!std::isfinite(v)) return std::nullopt;
    return ascii[0] == '-' ? -v : v;
}

double numberFromText(std::u16string_view text) {
    auto v = readNumberText(text);
    if (!v) fail();
    return *v;
}

Decimal toDecimal(const Value& v) {
    switch (v.kind()) {
    case Kind::Empty: return Decimal();
    case Kind::Bool: return Decimal::fromInt(v.asBool() ? -1 : 0);
    case Kind::Int16: return Decimal::fromInt(v.asInt16());
    case Kind::Int32: return Decimal::fromInt(v.asInt32());
    case Kind::Single: return Decimal::fromDouble(v.asSingle());
    case Kind::Double: return Decimal::fromDouble(v.asDouble());
    case Kind::Decimal: return v.asDecimal();
    case Kind::Date: return Decimal::fromDouble(v.asDate());
    case Kind::Text: break;
    }
    const std::u16string& t = v.asText();
    std::string ascii;
    ascii.reserve(t.size());
    for (char16_t c : t) {
        if (c > 0x7F) fail();
        ascii += static_cast<char>(c);
    }
    if (auto d = Decimal::parse(ascii)) return *d;
    return Decimal::fromDouble(numberFromText(t)); // "&H" texts
}

double toDouble(const Value& v) {
    switch (v.kind()) {
    case Kind::Empty: return 0;
    case Kind::Bool: return v.asBool() ? -1 : 0;
    case Kind::Int16: return v.asInt16();
    case Kind::Int32: return v.asInt32();
    case Kind::Single: return v.asSingle();
    case Kind::Double: return v.asDouble();
    case Kind::Decimal: return v.asDecimal().toDouble();
    case Kind::Date: return v.asDate();
    case Kind::Text: return numberFromText(v.asText());
    }
    return 0;
}

std::int32_t roundToInt32(double v) {
    double r = roundHalfEven(checked(v));
    if (r < -2147483648.0 || r > 2147483647.0) fail();
    return static_cast<std::int32_t>(r);
}

std::int16_t roundToInt16(double v) {
    double r = roundHalfEven(checked(v));
    if (r < -32768.0 || r > 32767.0) fail();
    return static_cast<std::int16_t>(r);
}

std::int32_t toInt32(const Value& v) {
    if (v.is(Kind::Decimal)) {
        std::int64_t r = v.asDecimal().toInt64();
        if (r < std::numeric_limits<std::int32_t>::min() ||
            r > std::numeric_limits<std::int32_t>::max())
            fail();
        return static_cast<std::int32_t>(r);
    }
    return roundToInt32(toDouble(v));
}

std::int16_t toInt16(const Value& v) {
    std::int32_t r = toInt32(v);
    if (r < -32768 || r > 32767) fail();
    return static_cast<std::int16_t>(r);
}

namespace {

constexpr size_t kDoubleTextMax = 40;
static_assert(kDoubleTextMax >= Decimal::kMaxTextLength);

// formatDouble into `out` (room for kDoubleTextMax characters); returns the length.
size_t writeDouble(char* out, double v, int sig) {
    if (v == 0 || !std::isfinite(v)) {
        out[0] = '0';
        return 1;
    }
    if (std::fabs(v) < 1e15 && v == std::trunc(v) && sig >= 15)
        return size_t(std::to_chars(out, out + kDoubleTextMax, static_cast<long long>(v)).ptr -
                      out);
    // Amounts such as 1234.56 need no general formatting. From 0.0001 up the plain form holds
    // (smaller values are written with an exponent).
    if (sig == 15 && std::fabs(v) >= 1e-4)
        if (const auto d = shortDecimal(std::fabs(v)))
            return Decimal::fromParts(d->digits, d->scale, v < 0).writeText(out);
    char buf[64];
    const char* end = writeScientific(buf, buf + sizeof buf, v, sig - 1).ptr;
    const char* p = buf;
    const bool negative = *p == '-';
    if (negative) ++p;
    const char* e = std::find(p, end, 'e');
    const char* x = e + 1;
    const bool negativeExponent = *x == '-';
    if (*x == '+' || *x == '-') ++x;
    int exponent = 0;
    std::from_chars(x, end, exponent);
    if (negativeExponent) exponent = -exponent;
    char digits[32];
    size_t n = 0;
    for (const char* c = p; c < e; ++c)
        if (*c != '.') digits[n++] = *c;
    while (n > 1 && digits[n - 1] == '0') --n;

    char* o = out;
    auto put = [&](const char* from, size_t count) {
        std::memcpy(o, from, count);
        o += count;
    };
    if (negative) *o++ = '-';
    if (exponent >= sig || exponent <= -5) {
        *o++ = digits[0];
        if (n > 1) *o++ = '.', put(digits + 1, n - 1);
        *o++ = 'E';
        *o++ = exponent < 0 ? '-' : '+';
        if (std::abs(exponent) < 10) *o++ = '0';
        o = std::to_chars(o, out + kDoubleTextMax, std::abs(exponent)).ptr;
    } else if (exponent < 0) {
        *o++ = '0', *o++ = '.';
        for (int k = 0; k < -exponent - 1; ++k) *o++ = '0';
        put(digits, n);
    } else {
        const size_t intDigits = static_cast<size_t>(exponent) + 1;
        if (n <= intDigits) {
            put(digits, n);
            for (size_t k = n; k < intDigits; ++k) *o++ = '0';
        } else {
            put(digits, intDigits);
            *o++ = '.';
            put(digits + intDigits, n - intDigits);
        }
    }
    return size_t(o - out);
}

std::u16string doubleText(double v, int sig) {
    char buf[kDoubleTextMax];
    return asciiToU16(std::string_view(buf, writeDouble(buf, v, sig)));
}

} // namespace

std::string formatDouble(double v, int sig) {
    char buf[kDoubleTextMax];
    return std::string(buf, writeDouble(buf, v, sig));
}

std::u16string toText(const Value& v) {
    switch (v.kind()) {
    case Kind::Empty: return u"";
    case Kind::Bool: return v.asBool() ? u"True" : u"False";
    case Kind::Int16: return integerText(v.asInt16());
    case Kind::Int32: return integerText(v.asInt32());
    case Kind::Single: return doubleText(v.asSingle(), 7);
    case Kind::Double: {
        double d = v.asDouble();
        if (std::fabs(d) < 1e15 && d == std::trunc(d))
            return integerText(static_cast<long long>(d));
        return doubleText(d, 15);
    }
    case Kind::Decimal: return asciiToU16(v.asDecimal().toString());
    case Kind::Date: return formatDate(v.asDate());
    case Kind::Text: return v.asText();
    }
    return u"";
}

void appendText(std::u16string& out, const Value& v) {
    char buf[kDoubleTextMax];
    size_t n = 0;
    switch (v.kind()) {
    case Kind::Int16:
        n = size_t(std::to_chars(buf, buf + sizeof buf, v.asInt16()).ptr - buf);
        break;
    case Kind::Int32:
        n = size_t(std::to_chars(buf, buf + sizeof buf, v.asInt32()).ptr - buf);
        break;
    case Kind::Single: n = writeDouble(buf, v.asSingle(), 7); break;
    case Kind::Double: n = writeDouble(buf, v.asDouble(), 15); break;
    case Kind::Decimal: n = v.asDecimal().writeText(buf); break;
    default: out += toText(v); return;
    }
    out.append(buf, buf + n);
}

bool readsAsNumber(const Value& v) {
    if (v.isDate()) return false;
    if (!v.isText()) return true;
    return readNumberText(v.asText()).has_value();
}

std::optional<double> readsAsDate(const Value& v) {
    if (v.isDate()) return v.asDate();
    if (!v.isText()) return std::nullopt;
    const std::u16string& t = v.asText();
    // Every date text holds "/" or ":"; most texts are rejected without reading the clock.
    if (t.find_first_of(u"/:") == std::u16string::npos) return std::nullopt;
    return parseDateText(t, platform::currentYear());
}

} // namespace quill
