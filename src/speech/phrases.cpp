#include "speech/phrases.h"

#include "engine/jtext.h"

#include <array>
#include <string>

namespace quill {
namespace {

struct KeyPhrase {
    int index;
    std::u16string_view phrase;
};

// The one table of keypad phrases, by element index of each button array.
constexpr std::array kNumPhrases{
    KeyPhrase{0, u"<NUMK VAL=0>"}, KeyPhrase{1, u"<NUMK VAL=1>"},
    KeyPhrase{2, u"<NUMK VAL=2>"}, KeyPhrase{3, u"<NUMK VAL=3>"},
    KeyPhrase{4, u"<NUMK VAL=4>"}, KeyPhrase{5, u"<NUMK VAL=5>"},
    KeyPhrase{6, u"<NUMK VAL=6>"}, KeyPhrase{7, u"<NUMK VAL=7>"},
    KeyPhrase{8, u"<NUMK VAL=8>"}, KeyPhrase{9, u"<NUMK VAL=9>"},
    KeyPhrase{10, u"てん"},        KeyPhrase{64, u"<NUMK VAL=16>しん"},
    KeyPhrase{65, u"え'ー"},       KeyPhrase{66, u"び'ー"},
    KeyPhrase{67, u"し'ー"},       KeyPhrase{68, u"でぃ'ー"},
    KeyPhrase{69, u"い'ー"},       KeyPhrase{70, u"え'ふ"},
};

constexpr std::array kOpPhrases{
    KeyPhrase{0, u"あまり"},     KeyPhrase{2, u"たす"},
    KeyPhrase{3, u"ひく"},       KeyPhrase{4, u"かけ'る"},
    KeyPhrase{5, u"わる"},       KeyPhrase{6, u"あんど"},
    KeyPhrase{7, u"お'あー"},    KeyPhrase{8, u"えっくすお'あー"},
    KeyPhrase{9, u"かいじょう"}, KeyPhrase{10, u"のっと"},
    KeyPhrase{11, u"る'－と"},   KeyPhrase{12, u"ぱ'い"},
    KeyPhrase{13, u"か'っこ"},   KeyPhrase{14, u"か'っこと/じ'る"},
    KeyPhrase{15, u"ひだり"},    KeyPhrase{16, u"みぎ"},
    KeyPhrase{17, u"うえ"},      KeyPhrase{18, u"した"},
};

constexpr std::array kMenuPhrases{
    KeyPhrase{0, u"ばっくすぺ'ーす"},
    KeyPhrase{1, u"くり'あえ'んとりー"},
    KeyPhrase{2, u"くり'あ"},
    KeyPhrase{3, u"ほ'ーむ"},
    KeyPhrase{4, u"え'んど"},
    KeyPhrase{5, u"かい/ぎょ'う"},
    KeyPhrase{6, u"すぺ'ーす"},
    KeyPhrase{7, u"デリ'ート"},
    KeyPhrase{10, u"え'んざんけ'っかを/こ'ぴ/ーしま'した"},
};

template <std::size_t N>
std::u16string_view lookUp(const std::array<KeyPhrase, N>& table, int index) {
    for (const auto& entry : table)
        if (entry.index == index) return entry.phrase;
    return {};
}

std::u16string number(int n) {
    return fromAscii(std::to_string(n));
}

} // namespace

std::u16string_view numKeyPhrase(int index) {
    return lookUp(kNumPhrases, index);
}
std::u16string_view opKeyPhrase(int index) {
    return lookUp(kOpPhrases, index);
}
std::u16string_view menuKeyPhrase(int index) {
    return lookUp(kMenuPhrases, index);
}

std::u16string versionPhrase(int major, int minor, int revision) {
    return u"バージョンわ,<NUMK VAL=" + number(major) + u"." + number(minor) + number(revision) +
           u">,で'す。";
}

std::u16string speedPhrase(int percent) {
    return u"はやさ,<NUMK VAL=" + number(percent) + u">ぱ'ーせんと";
}

std::u16string versionPhrase() {
    return versionPhrase(QUILL_VERSION_MAJOR, QUILL_VERSION_MINOR, QUILL_VERSION_PATCH);
}

} // namespace quill
