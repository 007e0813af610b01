#pragma once
// The fixed phrases the calculator speaks, in the speech notation: kana readings, "'" accent
// marks, "/" and "," separators, and number tags "<NUMK VAL=n>" (optionally with
// " COUNTER=reading" before ">"). The result phrase is built by the calculation pass.
#include <string>
#include <string_view>

namespace quill {

// The phrase of a keypad button, by array and element index as on the keypad; empty for a
// button that speaks nothing of its own ("=" speaks the result, "日時" nothing) and for an
// index that is not a button.
std::u16string_view numKeyPhrase(int index);  // cmdNum 0-10, 64-70
std::u16string_view opKeyPhrase(int index);   // cmdOp 0-18
std::u16string_view menuKeyPhrase(int index); // cmdMenu 0-7, 10 (copy result)

// Help menu.
inline constexpr std::u16string_view kReadMePhrase = u"よ'め";
inline constexpr std::u16string_view kHomePagePhrase = u"ほ'ーむぺ'ーじ";
// "バージョンわ,<NUMK VAL=1.57>,で'す。" for version 1.5.7: minor and revision are joined
// without a dot so that the tag holds one number.
std::u16string versionPhrase(int major, int minor, int revision);
// The voice's new speed, said by the Options menu's faster and slower: "はやさ,<NUMK VAL=120>
// ぱ'ーせんと".
std::u16string speedPhrase(int percent);
// The phrase for this build's version.
std::u16string versionPhrase();

} // namespace quill
