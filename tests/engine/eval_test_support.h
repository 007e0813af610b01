#pragma once
// Shared helpers of the engine tests: one row is an input, the expected kind and text, and
// whether the failure message is reported.
#include "engine/convert.h"
#include "engine/eval.h"
#include "engine/jtext.h"

#include <gtest/gtest.h>

#include <string>

namespace quill {

struct EvalRow {
    const char* input;
    Kind kind;
    const char* text;
    bool reportsFailure = false;
};

struct EvalOutcome {
    Value value;
    bool reported = false;
};

inline EvalOutcome evaluate(const char* input) {
    EvalOutcome out;
    out.value = Eval(fromUtf8(input), [&](std::u16string_view) { out.reported = true; });
    return out;
}

inline void expectRows(std::initializer_list<EvalRow> rows) {
    for (const auto& row : rows) {
        SCOPED_TRACE(row.input);
        EvalOutcome out = evaluate(row.input);
        EXPECT_EQ(kindName(out.value.kind()), std::string(kindName(row.kind)));
        EXPECT_EQ(toUtf8(toText(out.value)), row.text);
        EXPECT_EQ(out.reported, row.reportsFailure);
    }
}

} // namespace quill
