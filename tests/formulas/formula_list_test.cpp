#include "formulas/formula_list.h"

#include "settings/settings.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

using test::readBytes;
using test::TempFolder;
using test::writeBytes;

struct ListRow {
    const char* name;
    std::vector<Formula> formulas;
    std::u16string stored;
};

TEST(FormulaList, StoredFormRoundTrips) {
    const ListRow rows[] = {
        {"two formulas",
         {{u"税込", u"[sel]*1.1"}, {u"平方", u"[sel]^2"}},
         u"税込||[sel]*1.1|\\n|平方||[sel]^2"},
        {"line breaks", {{u"二行", u"1+2\r\n3*4\r\n"}}, u"二行||1+2|r|3*4|r|"},
        {"empty formula text", {{u"空", u""}}, u"空||"},
        {"single formula", {{u"a", u"b"}}, u"a||b"},
        {"empty list", {}, u""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(serializeFormulaList(row.formulas), row.stored);
        EXPECT_EQ(parseFormulaList(row.stored), row.formulas);
    }
}

TEST(FormulaList, LoneLineBreaksAreStoredAsLineBreaks) {
    // The text box hands over LF alone; it must not end up inside the stored value.
    EXPECT_EQ(serializeFormulaList({{u"a", u"1\n2\r3"}}), u"a||1|r|2|r|3");
    EXPECT_EQ(parseFormulaList(u"a||1|r|2|r|3"), (std::vector<Formula>{{u"a", u"1\r\n2\r\n3"}}));
}

struct ParseRow {
    const char* name;
    std::u16string stored;
    bool cut;
    std::vector<Formula> expected;
};

TEST(FormulaList, ReadsWhatIsThereAndDropsBrokenRecords) {
    const ParseRow rows[] = {
        {"name holding || splits there", u"a||b||c", false, {{u"a", u"b"}}},
        {"record without || dropped",
         u"a||1|\\n|broken|\\n|c||3",
         false,
         {{u"a", u"1"}, {u"c", u"3"}}},
        {"cut value drops its last record",
         u"a||1|\\n|b||2|\\n|c||3",
         true,
         {{u"a", u"1"}, {u"b", u"2"}}},
        {"cut inside the separator", u"a||1|\\n", true, {}},
        {"only text", u"abc", false, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(parseFormulaList(row.stored, row.cut), row.expected);
    }
}

TEST(FormulaList, StoredInTheSettingsFile) {
    TempFolder folder;
    Settings settings(folder / "setting.ini");
    const std::vector<Formula> list{{u"税込", u"[sel]*1.1"}, {u"二行", u"1\r\n2"}};
    EXPECT_TRUE(readFormulas(settings).empty());
    ASSERT_TRUE(writeFormulas(settings, list));
    EXPECT_EQ(readFormulas(settings), list);
    ASSERT_TRUE(writeFormulas(settings, {}));
    EXPECT_EQ(readBytes(folder / "setting.ini"), "[Calc]\n") << "key not removed";
    EXPECT_TRUE(readFormulas(settings).empty());
}

TEST(FormulaList, ReadsAFileFromAJapaneseSystem) {
    TempFolder folder;
    // 税込||[sel]*1.1|\n|平方||[sel]^2 in code page 932.
    writeBytes(folder / "setting.ini",
               "[Calc]\r\nFormula=\x90\xC5\x8D\x9E||[sel]*1.1|\\n|\x95\xBD\x95\xFB||[sel]^2\r\n");
    Settings settings(folder / "setting.ini");
    EXPECT_EQ(readFormulas(settings),
              (std::vector<Formula>{{u"税込", u"[sel]*1.1"}, {u"平方", u"[sel]^2"}}));
}

TEST(FormulaList, LongListReadsAsItsLastCompleteRecords) {
    for (const bool cp932 : {false, true}) {
        SCOPED_TRACE(cp932 ? "code page 932" : "UTF-8");
        TempFolder folder;
        // Records "亜NN||1" of 8 bytes in code page 932 and 9 in UTF-8, joined by 4 bytes.
        std::string value;
        std::size_t complete = 0;
        for (int i = 0; i < 300; ++i) {
            std::string record = std::string(cp932 ? "\x88\x9F" : "\xE4\xBA\x9C") +
                                 std::to_string(10 + i % 90) + "||1";
            if (!value.empty()) value += "|\\n|";
            value += record;
            if (value.size() <= 2047) complete = static_cast<std::size_t>(i) + 1;
        }
        writeBytes(folder / "setting.ini", "[Calc]\nFormula=" + value + "\n");
        const auto list = readFormulas(Settings(folder / "setting.ini"));
        ASSERT_EQ(list.size(), complete);
        EXPECT_EQ(list.back().text, u"1");
    }
}

} // namespace
} // namespace quill
