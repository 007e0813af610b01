// Every built-in function with every argument count from 0 to 9 and arguments of every kind:
// a result or the failure message, never a crash, a hang or a NaN.
#include "engine/functions.h"
#include "engine/jtext.h"
#include "engine/platform.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quill {
namespace {

class FixedClock {
public:
    FixedClock() { platform::setFixedNow(45000.5); }
    ~FixedClock() { platform::setFixedNow(std::nullopt); }
};

// The built-in names, plus names the call dispatch treats specially.
std::vector<std::u16string> everyFunctionName() {
    std::vector<std::u16string> names;
    for (auto table : {mathFunctions(), textFunctions(), systemFunctions()})
        for (const FunctionEntry& e : table) names.emplace_back(e.name);
    for (const char16_t* extra : {u"LOG2", u"LOG16", u"LOG99", u"LOG0", u"NOW", u"DATE", u"RND",
                                  u"COMMAND$", u"UNKNOWN", u"UNKNOWN$", u""})
        names.emplace_back(extra);
    return names;
}

// Argument texts of every kind, including ones that fail and ones that are large.
constexpr std::u16string_view kArguments[] = {
    u"1",
    u"0",
    u"-1",
    u"2.5",
    u"1E308",
    u"-1E308",
    u"1E-308",
    u"32768",
    u"-2147483649",
    u"79228162514264337593543950335",
    u"\"\"",
    u"\"abc\"",
    u"\"ｶﾞあ漢\"",
    u"\"2024/02/29\"",
    u"\"12:34:56\"",
    u"NOW",
    u"1=1",
    u"",
    u"(",
    u"SPACE$(100000)",
    u"&HFFFF",
    u"\"\"\"\"",
    u"EVAL(\"1+\")",
    u"-32768",
    u"255",
};

std::u16string call(std::u16string_view name, std::size_t count, std::u16string_view arg) {
    std::u16string text(name);
    text += u'(';
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) text += u',';
        text += arg;
    }
    return text + u')';
}

TEST(EveryFunction, EveryArgumentCountAndKindGivesAResultOrTheMessage) {
    FixedClock clock;
    for (const std::u16string& name : everyFunctionName()) {
        for (std::size_t count = 0; count <= 9; ++count) {
            for (std::u16string_view arg : kArguments) {
                const std::u16string text = call(name, count, arg);
                SCOPED_TRACE(toUtf8(text.substr(0, 80)));
                int messages = 0;
                const Value v = Eval(text, [&](std::u16string_view) { ++messages; });
                if (v.is(Kind::Double)) {
                    EXPECT_TRUE(std::isfinite(v.asDouble()));
                }
                if (v.is(Kind::Single)) {
                    EXPECT_TRUE(std::isfinite(v.asSingle()));
                }
                if (v.is(Kind::Text)) {
                    EXPECT_LE(v.asText().size(), 1u << 21);
                }
                if (count > kMaxArguments && !name.empty() && arg != u"(") {
                    EXPECT_TRUE(v.isEmpty()) << "more arguments than a call holds";
                    EXPECT_GE(messages, 1);
                }
            }
        }
    }
}

// Arguments that are themselves calls of every function: nested dispatch stays bounded.
TEST(EveryFunction, NestedInEachOtherFinishes) {
    FixedClock clock;
    const auto names = everyFunctionName();
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::u16string text = u"1";
        for (std::size_t k = 0; k < 30; ++k) {
            const std::u16string& name = names[(i + k * 7) % names.size()];
            text = name + u"(" + text + u"," + text.substr(0, 200) + u")";
        }
        SCOPED_TRACE(toUtf8(text.substr(0, 80)));
        const Value v = Eval(text);
        if (v.is(Kind::Double)) {
            EXPECT_TRUE(std::isfinite(v.asDouble()));
        }
    }
}

} // namespace
} // namespace quill
