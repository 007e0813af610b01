#include "sheet/phrase.h"

#include "engine/convert.h"
#include "engine/datetime.h"
#include "engine/error.h"
#include "engine/jtext.h"
#include "sheet/date_calc.h"

namespace quill {
namespace {

std::u16string tag(int value, std::u16string_view counter) {
    std::u16string s = u"<NUMK VAL=" + fromAscii(std::to_string(value)) + u" COUNTER=";
    s.append(counter);
    return s + u">";
}

// Four digits when the text has at least three digits before its first "/", else two.
int spokenYear(const std::u16string& text, int year) {
    size_t slash = text.find(u'/');
    bool longYear = slash != std::u16string::npos && slash >= 3;
    for (size_t i = 1; longYear && i <= 3; ++i)
        longYear = text[slash - i] >= u'0' && text[slash - i] <= u'9';
    return longYear ? year : year % 100;
}

std::u16string datePhrase(const Value& total, double serial) {
    int kind = fDateFormat(total);
    if (kind == 5) return u"";
    DateTimeFields f = dateFields(serial);
    std::u16string date = tag(spokenYear(toText(total), f.year), u"ねん") + u";" +
                          tag(f.month, u"がつ") + u";" + tag(f.day, u"にち");
    std::u16string monthDay = tag(f.month, u"がつ") + u";" + tag(f.day, u"にち");
    std::u16string time =
        tag(f.hour, u"じ") + u";" + tag(f.minute, u"ふん") + u";" + tag(f.second, u"びょー");
    switch (kind) {
    case 1: return date + u";" + time + u";";
    case 2: return date;
    case 3: return monthDay + u";" + time;
    case 4: return monthDay;
    default: return time;
    }
}

Value absoluteValue(const Value& v) {
    if (v.is(Kind::Decimal)) return Value::decimal(v.asDecimal().abs());
    if (v.isEmpty()) return Value::int16(0);
    double d = toDouble(v);
    if (v.is(Kind::Int16) || v.is(Kind::Int32) || v.is(Kind::Bool))
        return Value::int32(static_cast<std::int32_t>(d < 0 ? -d : d));
    if (v.is(Kind::Single)) return Value::single(static_cast<float>(d < 0 ? -d : d));
    return Value::dbl(d < 0 ? -d : d);
}

} // namespace

std::u16string resultPhrase(const Value& total) {
    // A total that failed shows nothing in the total box; saying "zero" would report the
    // failure as a result.
    if (total.isEmpty()) return u"";
    try {
        if (auto serial = readsAsDate(total)) return datePhrase(total, *serial);
        std::u16string text = toText(total);
        std::u16string phrase = u"<NUMK VAL=" + toText(absoluteValue(total)) + u">";
        return (!text.empty() && text[0] == u'-') ? u"マイナス" + phrase : phrase;
    } catch (const EvalError&) {
        return u"";
    }
}

} // namespace quill
