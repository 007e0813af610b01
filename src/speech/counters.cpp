#include "speech/counters.h"

#include "speech/japanese_number.h"

#include <array>

namespace quill::speech {
namespace {

using Kind = NumberWord::Kind;

// Months by number (index 0 unused): し, しち and く for 4, 7 and 9.
constexpr std::array<std::u16string_view, 13> kMonths{
    u"",           u"いちがつ",       u"にがつ",      u"さんがつ", u"しがつ",
    u"ごがつ",     u"ろくがつ",       u"しちがつ",    u"はちがつ", u"くがつ",
    u"じゅうがつ", u"じゅういちがつ", u"じゅうにがつ"};

// Days of the month with a reading of their own (index 0 unused); 20 is はつか.
constexpr std::array<std::u16string_view, 11> kOwnDays{u"",       u"ついたち", u"ふつか", u"みっか",
                                                       u"よっか", u"いつか",   u"むいか", u"なのか",
                                                       u"ようか", u"ここのか", u"とおか"};

bool isLastDigit(const NumberWord& w, int digit) {
    return w.kind == Kind::Digit && w.digit == digit;
}

// The number's last word replaced by the given text, then the counter.
std::u16string withLast(NumberWords words, std::u16string_view last, std::u16string_view counter) {
    words.back().text = last;
    return joined(words) + std::u16string(counter);
}

// Counters after which 4, 7 and 9 are read よ/し/く, しち and く: the hours and the month days.
std::u16string hourOrDay(const NumberWords& words, std::u16string_view counter,
                         std::u16string_view four) {
    const NumberWord& last = words.back();
    if (isLastDigit(last, 4)) return withLast(words, four, counter);
    if (isLastDigit(last, 7)) return withLast(words, u"しち", counter);
    if (isLastDigit(last, 9)) return withLast(words, u"く", counter);
    return joined(words) + std::u16string(counter);
}

std::u16string years(const NumberWords& words) {
    if (isLastDigit(words.back(), 4)) return withLast(words, u"よ", u"ねん");
    return joined(words) + u"ねん";
}

std::u16string months(const NumberWords& words, std::size_t value) {
    if (value >= 1 && value < kMonths.size()) return std::u16string(kMonths[value]);
    return hourOrDay(words, u"がつ", u"し");
}

std::u16string days(const NumberWords& words, std::size_t value) {
    if (value >= 1 && value < kOwnDays.size()) return std::u16string(kOwnDays[value]);
    if (value == 20) return u"はつか";
    // 14 and 24 end in よっか; 17 and 19 are じゅうしちにち and じゅうくにち.
    if (isLastDigit(words.back(), 4)) return withLast(words, u"よっか", u"");
    return hourOrDay(words, u"にち", u"よ");
}

// ふん becomes ぷん after a doubled sound (いっぷん, ろっぷん, じゅっぷん, ひゃっぷん) and after
// さん, よん, せん and the units.
std::u16string minutes(const NumberWords& words) {
    const NumberWord& last = words.back();
    const bool doubles = isLastDigit(last, 1) || isLastDigit(last, 6) || isLastDigit(last, 8) ||
                         last.kind == Kind::Ten || last.kind == Kind::Hundred;
    if (doubles) return withLast(words, doubled(last.text), u"ぷん");
    if (isLastDigit(last, 3) || isLastDigit(last, 4) || last.kind == Kind::Thousand ||
        last.kind == Kind::Unit)
        return joined(words) + u"ぷん";
    return joined(words) + u"ふん";
}

// A small value for the tables; anything of more than four digits is simply large.
std::size_t smallValue(std::u16string_view digits) {
    while (!digits.empty() && digits.front() == u'0') digits.remove_prefix(1);
    if (digits.size() > 4) return 10000;
    std::size_t v = 0;
    for (char16_t c : digits) v = v * 10 + static_cast<std::size_t>(c - u'0');
    return v;
}

bool isWholeNumber(const NumberText& n) {
    return n.valid && !n.negative && !n.hasExponent && n.fraction.empty() && !n.whole.empty();
}

} // namespace

std::u16string readWithCounter(std::u16string_view value, std::u16string_view counter) {
    const NumberText n = splitNumber(value);
    if (!n.valid) return {};
    const bool seconds = counter == u"びょう" || counter == u"びょー";
    const bool known = counter == u"ねん" || counter == u"がつ" || counter == u"にち" ||
                       counter == u"じ" || counter == u"ふん" || seconds;
    if (!isWholeNumber(n) || !known)
        return readNumber(value) + std::u16string(seconds ? u"びょう" : counter);
    NumberWords words = wholeNumberWords(n.whole);
    // Zero o'clock, zero minutes and zero seconds: れいじ, れいふん, れいびょう.
    if (words.back().kind == NumberWord::Kind::Zero) words.back().text = u"れい";
    const std::size_t small = smallValue(n.whole);
    if (counter == u"ねん") return years(words);
    if (counter == u"がつ") return months(words, small);
    if (counter == u"にち") return days(words, small);
    if (counter == u"じ") return hourOrDay(words, u"じ", u"よ");
    if (counter == u"ふん") return minutes(words);
    return joined(words) + u"びょう";
}

} // namespace quill::speech
