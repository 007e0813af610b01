#include "engine/convert.h"

#include "engine/datetime.h"
#include "engine/error.h"
#include "engine/platform.h"

#include <boost/container/small_vector.hpp>
#include <charconv>
#include <cmath>
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

std::u16string asciiToU16(const std::string& s) {
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
    boost::container::small_vector<char, 48> ascii;
    if (!numberToAscii(t, ascii)) return std::nullopt;
    double v = 0;
    const char* first = ascii.data();
    if (*first == '-') ++first; // from_chars takes no '+', and we add the sign ourselves
    auto [ptr, ec] = std::from_chars(first, ascii.data() + ascii.size(), v);
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

std::string formatDouble(double v, int sig) {
    if (v == 0 || !std::isfinite(v)) return "0";
    if (std::fabs(v) < 1e15 && v == std::trunc(v) && sig >= 15) {
        char buf[24];
        auto r = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(v));
        return std::string(buf, r.ptr);
    }
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, sig - 1);
    std::string_view s(buf, static_cast<size_t>(r.ptr - buf));
    bool negative = s[0] == '-';
    if (negative) s.remove_prefix(1);
    size_t e = s.find('e');
    int exponent = std::atoi(std::string(s.substr(e + 1)).c_str());
    std::string digits;
    for (char c : s.substr(0, e))
        if (c != '.') digits += c;
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent >= sig || exponent <= -5) {
        out += digits[0];
        if (digits.size() > 1) out += '.' + digits.substr(1);
        std::string expDigits = std::to_string(std::abs(exponent));
        if (expDigits.size() < 2) expDigits.insert(0, 1, '0');
        return out + "E" + (exponent < 0 ? "-" : "+") + expDigits;
    }
    if (exponent < 0)
        return out + "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
    size_t intDigits = static_cast<size_t>(exponent) + 1;
    if (digits.size() <= intDigits)
        return out + digits + std::string(intDigits - digits.size(), '0');
    return out + digits.substr(0, intDigits) + '.' + digits.substr(intDigits);
}

std::u16string toText(const Value& v) {
    switch (v.kind()) {
    case Kind::Empty: return u"";
    case Kind::Bool: return v.asBool() ? u"True" : u"False";
    case Kind::Int16: return integerText(v.asInt16());
    case Kind::Int32: return integerText(v.asInt32());
    case Kind::Single: return asciiToU16(formatDouble(v.asSingle(), 7));
    case Kind::Double: {
        double d = v.asDouble();
        if (std::fabs(d) < 1e15 && d == std::trunc(d))
            return integerText(static_cast<long long>(d));
        return asciiToU16(formatDouble(d, 15));
    }
    case Kind::Decimal: return asciiToU16(v.asDecimal().toString());
    case Kind::Date: return formatDate(v.asDate());
    case Kind::Text: return v.asText();
    }
    return u"";
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
