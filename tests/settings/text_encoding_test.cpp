#include "settings/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace quill {
namespace {

struct EncodingRow {
    const char* name;
    std::string bytes;
    TextEncoding encoding;
};

TEST(TextEncoding, CodePage932ThatLooksLikeUtf8StaysCodePage932) {
    const EncodingRow rows[] = {
        {"ASCII", "[Calc]\r\nketa=4\r\n", TextEncoding::Utf8},
        {"half-width katakana pair ﾃｽ", "Formula=\xC3\xBD|[sel]*2", TextEncoding::Cp932},
        {"half-width katakana then a katakana, ﾃア", "\xC3\x83\x41", TextEncoding::Cp932},
        {"half-width katakana that are no UTF-8, ｶﾞｽ", "\xB6\xDE\xBD", TextEncoding::Cp932},
        {"kanji in code page 932, 税込", "\x90\xC5\x8D\x9E", TextEncoding::Cp932},
        {"kanji in UTF-8, 税込", "\xE7\xA8\x8E\xE8\xBE\xBC", TextEncoding::Utf8},
        {"UTF-8 that decodes cleanly as code page 932 too, ああ", "\xE3\x81\x82\xE3\x81\x82",
         TextEncoding::Utf8},
        {"UTF-8 two-byte text code page 932 cannot decode, ×2", "\xC3\x97\x32", TextEncoding::Utf8},
        {"UTF-8 two-byte text beside kanji, é税", "\xC3\xA9\xE7\xA8\x8E", TextEncoding::Utf8},
        {"byte order mark before katakana pairs", "\xEF\xBB\xBF\xC3\xBD", TextEncoding::Utf8},
        {"neither", "\xFF\xFE\x81", TextEncoding::Cp932},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(detectEncoding(row.bytes), row.encoding);
    }
}

} // namespace
} // namespace quill
