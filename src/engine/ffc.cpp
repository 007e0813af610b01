#include "engine/functions.h"

#include "engine/error.h"

#include <cmath>
#include <unordered_map>

namespace quill {
namespace {

using FunctionMap = std::unordered_map<std::u16string_view, Function>;

const FunctionMap& functionMap() {
    static const FunctionMap map = [] {
        FunctionMap m;
        for (auto table : {mathFunctions(), textFunctions(), systemFunctions()})
            for (const auto& e : table) m.emplace(e.name, e.fn);
        return m;
    }();
    return map;
}

std::u16string_view trim(std::u16string_view t) {
    while (!t.empty() && t.front() == u' ') t.remove_prefix(1);
    while (!t.empty() && t.back() == u' ') t.remove_suffix(1);
    return t;
}

// Splits at the commas outside brackets (quotes are not considered).
void splitArguments(std::u16string_view inner, Call& call) {
    int depth = 0;
    size_t start = 0;
    for (size_t i = 0; i <= inner.size(); ++i) {
        char16_t c = i < inner.size() ? inner[i] : u',';
        if (c == u'(')
            ++depth;
        else if (c == u')')
            --depth;
        else if (c == u',' && (depth == 0 || i == inner.size())) {
            if (call.args.size() == kMaxArguments) fail();
            call.args.push_back(trim(inner.substr(start, i - start)));
            start = i + 1;
        }
    }
}

// LOG2, LOG10, LOG16 ...: names after "LOG" and not after "LOG99" take their base from the
// characters after LOG.
bool isLogToBase(std::u16string_view name) {
    return name != u"LOG" && name > u"LOG" && name <= u"LOG99";
}

Value logToBase(const Call& call) {
    double base = numberFromText(call.name.substr(3));
    double x = call.num(0);
    if (x <= 0 || base <= 0) fail();
    return number(std::log(x) / std::log(base));
}

Value unknownCall(const Call& call) {
    call.arg(0);
    if (!call.name.empty() && call.name.back() == u'$') return Value::text(u"");
    return Value::int16(0);
}

} // namespace

Value Ffc(EvalContext& ctx, std::u16string_view text) {
    size_t open = text.find(u'(');
    if (open == std::u16string_view::npos || text.back() != u')') return bareName(text);
    Call call{ctx, text.substr(0, open), {}};
    splitArguments(text.substr(open + 1, text.size() - open - 2), call);
    const auto& map = functionMap();
    if (auto it = map.find(call.name); it != map.end()) return it->second(call);
    if (isLogToBase(call.name)) return logToBase(call);
    return unknownCall(call);
}

} // namespace quill
