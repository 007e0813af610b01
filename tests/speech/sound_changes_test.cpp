// The sounds that change with what follows: びゃく/ぴゃく, ぜん, and the doubled sounds before
// ちょう, けい and てん.
#include "spoken_rows.h"

namespace quill {
namespace {

TEST(SoundChanges, HundredsAndThousands) {
    const SpokenRow rows[] = {
        {u"100", u"ひゃく"},
        {u"300", u"さんびゃく"},
        {u"400", u"よんひゃく"},
        {u"600", u"ろっぴゃく"},
        {u"800", u"はっぴゃく"},
        {u"900", u"きゅうひゃく"},
        {u"2000", u"にせん"},
        {u"3000", u"さんぜん"},
        {u"8000", u"はっせん"},
        {u"6000", u"ろくせん"},
        {u"3800", u"さんぜんはっぴゃく"},
        {u"1000000", u"ひゃくまん"},
        {u"30000000", u"さんぜんまん"},
    };
    expectReadings(rows);
}

TEST(SoundChanges, BeforeChoAndKei) {
    const SpokenRow rows[] = {
        {u"1000000000000", u"いっちょう"},
        {u"8000000000000", u"はっちょう"},
        {u"10000000000000", u"じゅっちょう"},
        {u"20000000000000", u"にじゅっちょう"},
        {u"21000000000000", u"にじゅういっちょう"},
        {u"6000000000000", u"ろくちょう"},
        {u"100000000000000", u"ひゃくちょう"},
        {u"10000000000000000", u"いっけい"},
        {u"60000000000000000", u"ろっけい"},
        {u"80000000000000000", u"はっけい"},
        {u"100000000000000000", u"じゅっけい"},
        {u"1000000000000000000", u"ひゃっけい"},
        {u"3000000000000000000", u"さんびゃっけい"},
        // The other units keep the plain sounds.
        {u"10000", u"いちまん"},
        {u"80000", u"はちまん"},
        {u"100000000", u"いちおく"},
        {u"800000000", u"はちおく"},
        {u"800000000000000000000", u"はちがい"},
    };
    expectReadings(rows);
}

TEST(SoundChanges, BeforeTheDecimalPoint) {
    const SpokenRow rows[] = {
        {u"1.5", u"いってんご"},
        {u"8.5", u"はってんご"},
        {u"10.5", u"じゅってんご"},
        {u"21.5", u"にじゅういってんご"},
        {u"6.5", u"ろくてんご"},
        {u"100.5", u"ひゃくてんご"},
        {u"3.14", u"さんてんいちよん"},
        {u"10000.5", u"いちまんてんご"},
        {u"1.", u"いち"}, // a point without digits after it is not read
    };
    expectReadings(rows);
}

} // namespace
} // namespace quill
