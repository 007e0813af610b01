#include "sheet/date_calc.h"

#include "engine/convert.h"
#include "engine/datetime.h"
#include "engine/error.h"

#include <vector>

namespace quill {
namespace {

// True when `pattern`'s characters occur in `text` in this order: the patterns of
// fDateFormat begin and end with "*" and have "*" between every two characters.
bool hasInOrder(std::u16string_view text, std::u16string_view pattern) {
    size_t k = 0;
    for (char16_t c : text)
        if (k < pattern.size() && c == pattern[k]) ++k;
    return k == pattern.size();
}

std::vector<std::u16string_view> split(std::u16string_view s, char16_t sep) {
    std::vector<std::u16string_view> parts;
    size_t start = 0;
    for (size_t i = 0; i <= s.size(); ++i) {
        if (i == s.size() || s[i] == sep) {
            parts.push_back(s.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

// One calendar addition; a field that is not a number, or a result outside the calendar, is
// skipped and leaves the base as it was.
struct Base {
    double serial;
    bool changed = false;
};

void addField(Base& base, DateUnit unit, std::u16string_view field) {
    try {
        base.serial = dateAdd(unit, numberFromText(field), base.serial);
        base.changed = true;
    } catch (const EvalError&) {
    }
}

void addPart(Base& base, std::u16string_view part) {
    auto f = split(part, u'/');
    size_t u = f.size() - 1;
    addField(base, DateUnit::Day, f[u]);
    if (u >= 1) addField(base, DateUnit::Month, f[u - 1]);
    if (u >= 2) addField(base, DateUnit::Year, f[u - 2]);

    auto g = split(part, u':');
    size_t w = g.size() - 1;
    if (w == 1) {
        addField(base, DateUnit::Minute, g[1]);
        addField(base, DateUnit::Hour, g[0]);
    } else if (w >= 2) {
        addField(base, DateUnit::Second, g[w]);
        addField(base, DateUnit::Minute, g[w - 1]);
        addField(base, DateUnit::Hour, g[w - 2]);
    }
}

std::u16string textOf(const Value& v) {
    try {
        return toText(v);
    } catch (const EvalError&) {
        return u"";
    }
}

} // namespace

int fDateFormat(const Value& value) {
    std::u16string t = textOf(value);
    if (hasInOrder(t, u"//::")) return 1;
    if (hasInOrder(t, u"//")) return 2;
    if (hasInOrder(t, u"/::")) return 3;
    if (hasInOrder(t, u"/")) return 4;
    if (hasInOrder(t, u"::")) return 6;
    return 5;
}

Value DateCalc(const Value& a, const Value& b) {
    bool bIsBase = fDateFormat(b) < fDateFormat(a);
    const Value& baseValue = bIsBase ? b : a;
    std::u16string addend = textOf(bIsBase ? a : b);
    std::optional<double> base = readsAsDate(baseValue);
    if (!base && readsAsNumber(baseValue) && !baseValue.isText()) {
        try {
            base = toDouble(baseValue);
        } catch (const EvalError&) {
        }
    }
    if (!base) return baseValue;
    Base result{*base};
    for (auto part : split(addend, u' ')) addPart(result, part);
    return result.changed ? Value::date(result.serial) : baseValue;
}

} // namespace quill
