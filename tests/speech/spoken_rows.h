#pragma once
// Shared by the reading tables: one number tag, and the kana the voice is given for it.
#include "speech/espeak_text.h"

#include <gtest/gtest.h>

#include <string>

namespace quill {

struct SpokenRow {
    std::u16string value; // the tag's VAL
    std::u16string spoken;
};

inline std::u16string numberTag(std::u16string_view value, std::u16string_view counter = {}) {
    std::u16string tag = u"<NUMK VAL=" + std::u16string(value);
    if (!counter.empty()) tag += u" COUNTER=" + std::u16string(counter);
    return tag + u">";
}

// Every row's tag (with the counter, if any) must be read as the row says.
template <typename Rows> void expectReadings(const Rows& rows, std::u16string_view counter = {}) {
    for (const SpokenRow& row : rows) {
        const std::u16string tag = numberTag(row.value, counter);
        SCOPED_TRACE(std::string(tag.begin(), tag.end()).c_str());
        EXPECT_EQ(espeakText(tag), row.spoken);
    }
}

} // namespace quill
