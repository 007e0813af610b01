// The fraction after てん digit by digit, a whole part of 0, the minus sign and the exponent
// form.
#include "spoken_rows.h"

namespace quill {
namespace {

TEST(FractionsSignsExponents, NumbersAsTheirPlainTextIsWritten) {
    const SpokenRow rows[] = {
        {u"0.5", u"れいてんご"},
        {u"0.05", u"れいてんれいご"},
        {u".5", u"れいてんご"},
        {u"3.14159", u"さんてんいちよんいちごきゅう"},
        {u"12.05", u"じゅうにてんれいご"},
        {u"0.3333333333333333333333333333",
         u"れいてんさんさんさんさんさんさんさんさんさんさんさんさんさんさんさんさんさんさんさんさん"
         u"さんさんさんさんさんさんさんさん"},
        {u"-3", u"マイナスさん"},
        {u"-0.5", u"マイナスれいてんご"},
        {u"+7", u"なな"},
        {u"1E+20", u"いちかけるじゅうのにじゅうじょう"},
        {u"1.5E-05", u"いってんごかけるじゅうのマイナスごじょう"},
        {u"-2.5E+100", u"マイナスにてんごかけるじゅうのひゃくじょう"},
        {u"1e-07", u"いちかけるじゅうのマイナスななじょう"},
        {u"4E+00", u"よんかけるじゅうのぜろじょう"},
        // Not numbers: nothing is read rather than a part of them.
        {u"", u""},
        {u"-", u""},
        {u".", u""},
        {u"1E", u""},
        {u"1E+", u""},
        {u"1.2.3", u""},
        {u"12abc", u""},
        {u"1,234", u""},
    };
    expectReadings(rows);
}

// A result phrase of each kind, read as a whole: the sign before the tag, the pauses between
// the pieces of a date.
TEST(FractionsSignsExponents, WholeResultPhrases) {
    const struct {
        std::u16string phrase, spoken;
    } rows[] = {
        {u"マイナス<NUMK VAL=12.5>", u"マイナスじゅうにてんご"},
        {u"<NUMK VAL=2009 COUNTER=ねん>;<NUMK VAL=3 COUNTER=がつ>;<NUMK VAL=7 COUNTER=にち>;"
         u"<NUMK VAL=14 COUNTER=じ>;<NUMK VAL=1 COUNTER=ふん>;<NUMK VAL=9 COUNTER=びょー>;",
         u"にせんきゅうねん、さんがつ、なのか、じゅうよじ、いっぷん、きゅうびょう、"},
        {u"バージョンわ,<NUMK VAL=1.57>,で'す。", u"バージョンわ、いってんごなな、です。"},
        {u"<NUMK VAL=16>しん", u"じゅうろくしん"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.phrase.begin(), row.phrase.end()).c_str());
        EXPECT_EQ(espeakText(row.phrase), row.spoken);
    }
}

} // namespace
} // namespace quill
