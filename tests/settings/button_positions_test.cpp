#include "settings/button_positions.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

struct ListRow {
    const char* name;
    std::u16string text;
    std::size_t buttons;
    std::size_t good;
    std::optional<std::size_t> bad;
};

TEST(PositionList, ReadsPairsUpToTheFirstBadOne) {
    const ListRow rows[] = {
        {"empty moves nothing", u"", 19, 0, std::nullopt},
        {"fewer pairs than buttons", u"120,480|960,480", 19, 2, std::nullopt},
        {"fractions and blanks", u" 120.5 , 480 |-15,0", 19, 2, std::nullopt},
        {"third pair without comma", u"0,0|1,1|2|3,3", 19, 2, 2},
        {"third pair not a number", u"0,0|1,1|x,2|3,3", 19, 2, 2},
        {"third pair with an empty part", u"0,0|1,1|2,", 19, 2, 2},
        {"third pair with three parts", u"0,0|1,1|2,2,2", 19, 2, 2},
        {"more pairs than buttons", u"0,0|1,1|2,2", 2, 2, 2},
        {"trailing bar", u"0,0|", 19, 1, 1},
        {"not finite", u"inf,0", 19, 0, 0},
        {"beyond any screen", u"1e30,0", 19, 0, 0},
        {"full-width digits are not numbers", u"１,0", 19, 0, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const PositionListRead read = readPositionList(row.text, row.buttons);
        EXPECT_EQ(read.positions.size(), row.good);
        EXPECT_EQ(read.badPair, row.bad);
    }
}

TEST(PositionList, RoundTripsAFullList) {
    std::vector<ButtonPosition> positions;
    for (std::size_t k = 0; k < kOpPosCount; ++k)
        positions.push_back({120.0f + 600.0f * static_cast<float>(k), k % 2 ? 480.5f : 0.0f});
    const std::u16string text = formatPositionList(positions);
    EXPECT_EQ(text.substr(0, 20), u"120,0|720,480.5|1320");
    const PositionListRead read = readPositionList(text, kOpPosCount);
    EXPECT_FALSE(read.badPair);
    ASSERT_EQ(read.positions.size(), kOpPosCount);
    for (std::size_t k = 0; k < kOpPosCount; ++k) {
        EXPECT_EQ(read.positions[k].left, positions[k].left) << k;
        EXPECT_EQ(read.positions[k].top, positions[k].top) << k;
    }
}

TEST(PositionList, NumPosPairsSkipTheGapInTheDigitArray) {
    EXPECT_EQ(numPosElement(0), 0);
    EXPECT_EQ(numPosElement(10), 10);
    EXPECT_EQ(numPosElement(11), 64);
    EXPECT_EQ(numPosElement(17), 70);
}

TEST(PositionList, NumbersInTheirShortestForm) {
    const std::pair<float, std::u16string_view> rows[] = {
        {296.0f, u"296"},    {1234.5f, u"1234.5"}, {0.1f, u"0.1"},     {-0.0f, u"0"},
        {1e7f, u"10000000"}, {-15.25f, u"-15.25"}, {4267.0f, u"4267"},
    };
    for (const auto& [value, text] : rows) EXPECT_EQ(formatSingle(value), text) << value;
}

} // namespace
} // namespace quill
