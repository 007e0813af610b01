// The counters of the date and time phrases with their irregular readings.
#include "spoken_rows.h"

namespace quill {
namespace {

TEST(Counters, Years) {
    const SpokenRow rows[] = {
        {u"2009", u"にせんきゅうねん"},
        {u"2024", u"にせんにじゅうよねん"},
        {u"4", u"よねん"},
        {u"14", u"じゅうよねん"},
        {u"1987", u"せんきゅうひゃくはちじゅうななねん"},
        {u"7", u"ななねん"},
        {u"0", u"れいねん"},
        {u"10000", u"いちまんねん"},
    };
    expectReadings(rows, u"ねん");
}

TEST(Counters, Months) {
    const SpokenRow rows[] = {
        {u"1", u"いちがつ"},    {u"2", u"にがつ"},          {u"3", u"さんがつ"},
        {u"4", u"しがつ"},      {u"5", u"ごがつ"},          {u"6", u"ろくがつ"},
        {u"7", u"しちがつ"},    {u"8", u"はちがつ"},        {u"9", u"くがつ"},
        {u"10", u"じゅうがつ"}, {u"11", u"じゅういちがつ"}, {u"12", u"じゅうにがつ"},
        {u"03", u"さんがつ"},
    };
    expectReadings(rows, u"がつ");
}

TEST(Counters, DaysOfTheMonth) {
    const SpokenRow rows[] = {
        {u"1", u"ついたち"},
        {u"2", u"ふつか"},
        {u"3", u"みっか"},
        {u"4", u"よっか"},
        {u"5", u"いつか"},
        {u"6", u"むいか"},
        {u"7", u"なのか"},
        {u"8", u"ようか"},
        {u"9", u"ここのか"},
        {u"10", u"とおか"},
        {u"11", u"じゅういちにち"},
        {u"14", u"じゅうよっか"},
        {u"17", u"じゅうしちにち"},
        {u"19", u"じゅうくにち"},
        {u"20", u"はつか"},
        {u"21", u"にじゅういちにち"},
        {u"24", u"にじゅうよっか"},
        {u"27", u"にじゅうしちにち"},
        {u"29", u"にじゅうくにち"},
        {u"30", u"さんじゅうにち"},
        {u"31", u"さんじゅういちにち"},
    };
    expectReadings(rows, u"にち");
}

TEST(Counters, Hours) {
    const SpokenRow rows[] = {
        {u"0", u"れいじ"},      {u"1", u"いちじ"},          {u"2", u"にじ"},
        {u"4", u"よじ"},        {u"7", u"しちじ"},          {u"9", u"くじ"},
        {u"12", u"じゅうにじ"}, {u"14", u"じゅうよじ"},     {u"17", u"じゅうしちじ"},
        {u"19", u"じゅうくじ"}, {u"23", u"にじゅうさんじ"},
    };
    expectReadings(rows, u"じ");
}

TEST(Counters, Minutes) {
    const SpokenRow rows[] = {
        {u"0", u"れいふん"},
        {u"1", u"いっぷん"},
        {u"2", u"にふん"},
        {u"3", u"さんぷん"},
        {u"4", u"よんぷん"},
        {u"5", u"ごふん"},
        {u"6", u"ろっぷん"},
        {u"7", u"ななふん"},
        {u"8", u"はっぷん"},
        {u"9", u"きゅうふん"},
        {u"10", u"じゅっぷん"},
        {u"11", u"じゅういっぷん"},
        {u"20", u"にじゅっぷん"},
        {u"30", u"さんじゅっぷん"},
        {u"45", u"よんじゅうごふん"},
        {u"58", u"ごじゅうはっぷん"},
        {u"59", u"ごじゅうきゅうふん"},
        {u"100", u"ひゃっぷん"},
    };
    expectReadings(rows, u"ふん");
}

TEST(Counters, Seconds) {
    const SpokenRow rows[] = {
        {u"0", u"れいびょう"},
        {u"1", u"いちびょう"},
        {u"4", u"よんびょう"},
        {u"7", u"ななびょう"},
        {u"9", u"きゅうびょう"},
        {u"10", u"じゅうびょう"},
        {u"59", u"ごじゅうきゅうびょう"},
    };
    // The result phrase writes the counter "びょー"; both spellings read the same.
    expectReadings(rows, u"びょー");
    expectReadings(rows, u"びょう");
}

TEST(Counters, OtherValuesAndCountersAreReadPlainly) {
    const SpokenRow rows[] = {
        {u"1.5", u"いってんごじ"}, // not a whole number: no counter forms
        {u"-4", u"マイナスよんじ"},
        {u"abc", u""}, // not a number: nothing, not even the counter
    };
    expectReadings(rows, u"じ");
    const SpokenRow others[] = {{u"4", u"よんこ"}, {u"8", u"はちこ"}};
    expectReadings(others, u"こ");
}

} // namespace
} // namespace quill
