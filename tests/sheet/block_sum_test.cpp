// Carrying the total over a run of amounts in one step: taken only where it is exact, and then
// the very decimal (value and scale) that adding the lines one by one gives.
#include "engine/jtext.h"
#include "sheet/block_sum.h"
#include "sheet/line_step.h"

#include <gtest/gtest.h>

#include <vector>

namespace quill {
namespace {

struct CarryRow {
    const char* name;
    const char16_t* start; // the first line: it sets the total
    std::vector<const char16_t*> lines;
    bool oneStep;
};

// The largest mantissa less five.
constexpr const char16_t* kNearLimit = u"79228162514264*1000000000000000+337593543950330";

TEST(BlockSumTest, carries_in_one_step_exactly_what_the_lines_give) {
    const CarryRow rows[] = {
        {"money", u"12800", {u"+ 3,450", u"- 1,200.5", u"", u"980", u"-0.25"}, true},
        {"a finer amount lifts the total's scale", u"12800", {u"+ 0.001", u"5"}, true},
        {"the sum comes to zero", u"5", {u"- 5", u"+ 2.50", u"- 2.5"}, true},
        {"up to the largest mantissa", kNearLimit, {u"+ 2", u"+ 3"}, true},
        {"one past the largest mantissa", kNearLimit, {u"+ 3", u"+ 3"}, false},
        {"a partial total beyond it though the sum fits", kNearLimit, {u"+ 10", u"- 10"}, false},
        {"an amount finer than the total leaves room for", kNearLimit, {u"+ 0.5"}, false},
        {"a 28-digit total lifted within the limit", u"1/3", {u"+ 5"}, true},
        {"a 28-digit total lifted beyond it", u"1/3", {u"+ 8"}, false},
        {"a tape operator", u"100", {u"+ 1", u"* 2"}, false},
        {"an amount beyond the decimal range", u"100", {u"+ 1", u"10^300"}, false},
        {"a total beyond the decimal range", u"10^300", {u"+ 1"}, false},
        {"a text total", u"\"a\"", {u"+ 1"}, false},
        {"blank lines leave any total alone", u"\"a\"", {u"", u"  "}, true},
    };
    for (const CarryRow& row : rows) {
        SCOPED_TRACE(row.name);
        const Value start = evaluateLine(row.start).value;
        Value total = start;
        BlockSum sum;
        for (size_t i = 0; i < row.lines.size(); ++i) {
            const EvaluatedLine line = evaluateLine(row.lines[i]);
            carryTotal(total, i + 1, line.kind, line.value);
            sum.add(line.kind, line.value);
        }
        const std::optional<Value> carried = sum.carry(start);
        ASSERT_EQ(carried.has_value(), row.oneStep);
        if (!carried) continue;
        ASSERT_EQ(carried->kind(), total.kind());
        if (total.isText()) {
            EXPECT_EQ(carried->asText(), total.asText());
        } else {
            const Decimal a = carried->asDecimal(), b = total.asDecimal();
            EXPECT_EQ(a.toString(), b.toString());
            EXPECT_EQ(a.scale(), b.scale());
            EXPECT_EQ(a.isNegative(), b.isNegative());
        }
    }
}

} // namespace
} // namespace quill
