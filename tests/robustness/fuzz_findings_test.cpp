// Every input a fuzz target failed on, replayed through the same checks (the inputs are also
// kept in the fuzz corpora as finding-*). Each row says what the input exposed.
#include "cli_check.h"
#include "formula_check.h"
#include "fuzz_text.h"
#include "settings_check.h"
#include "sheet_check.h"
#include "temp_folder.h"

#include "engine/platform.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quill {
namespace {

using namespace std::string_literals;

struct Finding {
    const char* what;
    std::string input;
};

TEST(FuzzFindings, SettingsFilesKeepTheirPromises) {
    const Finding findings[] = {
        {"code page 932 file whose last non-UTF-8 bytes were rewritten read back as UTF-8",
         "[Calc]\r\nStatus=-\xC2\xC8"
         "4keta=3\r\nReCalc=1\r\nTalk=0\r\nFontSize=10\xEF\xBB\xBFZCalc]\x00\x00.5\r\nF\x00\x00\x00"
         "\x00\x00\x00"s},
        {"zero byte inside the formula list made every later Apply fail",
         "[Calc]\nFormula=\xE7\xA8\x8E\xE8\xBE\xBC||[sel\x00=1.1|\\nz\xE5\xB9\xB3\xE6\x96\xB9||"
         "[sel]^2|r|\xE6\x94\xB9\xE8\xA1\x8C\n"s},
        {"last line ending in CR without LF, keys added after it",
         "\xEF\xAD\xBF[\x00"
         "1\xDC\x00\x94\x00\n\x00\xAClk--1\n[Calc]\r\nSta"s +
             std::string(48, '\xFF') + "tus=-1\r"s},
        {"last line ending in CR among look-alike section and key lines",
         "[Calc]\r\natStus=-1\r\nketa=3\r\nRe<alc=1\r\nTalk=0\r\nFontSi[Calc]\r\nze=10.5t\x08"
         "ForeColor=-2147483640\r\nX=YStatus=1=1\xB0.5\r\nG\x00\x00"
         "0\r"s},
    };
    test::TempFolder folder;
    for (const Finding& f : findings) {
        SCOPED_TRACE(f.what);
        const char* fault = fuzz::settingsFileFault(folder / "setting.ini", f.input);
        EXPECT_EQ(fault, nullptr) << fault;
    }
}

TEST(FuzzFindings, FormulaListsKeepTheirPromises) {
    const Finding findings[] = {
        {"name with a lone CR whose stored form runs into the record separator",
         "\\n|\xFF|b\x00\x00\r\\n||\\\xFF"s},
    };
    for (const Finding& f : findings) {
        SCOPED_TRACE(f.what);
        const auto* data = reinterpret_cast<const std::uint8_t*>(f.input.data());
        const bool cut = (data[0] & 1) != 0;
        const char* fault =
            fuzz::formulaListFault(fuzz::fuzzText(data + 1, f.input.size() - 1), cut);
        EXPECT_EQ(fault, nullptr) << fault;
    }
}

TEST(FuzzFindings, SheetPassesKeepTheirPromises) {
    const Finding findings[] = {
        {"RND spelled with characters the scan drops (two passes differ there)",
         "Tr\x00nd/\x00"
         "1\n/\x00"
         "1\x87"
         "0 \n/\x00"
         "10\xFF\x02-666666\xD9"
         "8\x00\x01\n\x00\x04\"2/6\n\x04\"\n\x00\x04\x00"
         "6\x02\xE8rb\x99rn?\x02\xE8rn"s},
    };
    platform::setFixedNow(45000.5);
    for (const Finding& f : findings) {
        SCOPED_TRACE(f.what);
        const auto* data = reinterpret_cast<const std::uint8_t*>(f.input.data());
        const std::u16string sheet = fuzz::fuzzText(data + 1, f.input.size() - 1);
        const char* fault = fuzz::sheetPassFault(sheet, fuzz::groupingOf(data[0]));
        EXPECT_EQ(fault, nullptr) << fault;
    }
    platform::setFixedNow(std::nullopt);
}

// The sheet check looks at the values: a NaN or an infinity is caught even where the display
// would show it as "0".
TEST(FuzzChecks, SheetCheckCatchesEveryNonFiniteValue) {
    const std::pair<Value, bool> rows[] = {
        {Value::dbl(std::nan("")), true}, {Value::dbl(-HUGE_VAL), true},
        {Value::single(HUGE_VALF), true}, {Value::date(std::nan("")), true},
        {Value::dbl(1e308), false},       {Value::single(-0.0f), false},
        {Value::text(u"NAN"), false},     {Value::int16(0), false},
    };
    for (const auto& [value, nonFinite] : rows) {
        SCOPED_TRACE(kindName(value.kind()));
        EXPECT_EQ(fuzz::isNonFinite(value), nonFinite);
    }
}

TEST(FuzzFindings, CommandLinesKeepTheirPromises) {
    using Status = cli::SheetInput::Status;
    const struct {
        const char* what;
        std::vector<std::string> args;
        Status input;
    } findings[] = {
        {"a line break in an option's value made the message two lines",
         {"--grouping", "a\nb"},
         Status::Read},
        {"a line break in a file name made the message two lines", {"x\r\ny"}, Status::Unreadable},
        {"--now took a sign and a blank", {"--now", "2026-+1-07T 9:30:00"}, Status::Read},
        {"--now took one-digit fields", {"--now", "2026-1-7T9:30:00"}, Status::Read},
        {"--now took a leading blank", {"--now", " 2026-12-07T09:30:00"}, Status::Read},
        {"an input above the limit", {"--json", "-"}, Status::TooLarge},
    };
    for (const auto& f : findings) {
        SCOPED_TRACE(f.what);
        const char* fault = fuzz::commandLineFault(f.args, f.input);
        EXPECT_EQ(fault, nullptr) << fault;
    }
}

} // namespace
} // namespace quill
