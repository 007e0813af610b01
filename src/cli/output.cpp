#include "cli/output.h"

#include "engine/convert.h"
#include "engine/jtext.h"

#include <nlohmann/json.hpp>

namespace quill::cli {

void printEval(std::ostream& out, const Value& v, const std::u16string& status, bool json) {
    std::string text;
    try {
        text = toUtf8(toText(v));
    } catch (...) {
        text.clear(); // a date outside the calendar has no text form
    }
    if (!json) {
        out << text << '\n';
        return;
    }
    nlohmann::json j = {{"kind", kindName(v.kind())}, {"text", text}, {"status", toUtf8(status)}};
    out << j.dump() << '\n';
}

void printSheet(std::ostream& out, std::u16string_view sheet, Grouping grouping, bool json) {
    if (json) {
        PassResult r = calculateSheet(sheet, grouping);
        nlohmann::json results = nlohmann::json::array();
        for (const auto& line : r.results) results.push_back(toUtf8(line));
        nlohmann::json j = {{"results", results},
                            {"total", toUtf8(r.total)},
                            {"status", toUtf8(r.status)},
                            {"speech", toUtf8(r.phrase)},
                            {"sheet", toUtf8(r.sheetChanged ? r.sheet : sheet)}};
        out << j.dump() << '\n';
        return;
    }
    // Result lines go out as they are computed, in blocks, so a long tape needs no more memory
    // than its text.
    std::string block;
    auto flushBlock = [&] {
        out << block;
        block.clear();
    };
    PassResult r = calculateSheet(sheet, grouping, [&](std::u16string_view line) {
        block.append(toUtf8(line)).push_back('\n');
        if (block.size() > (1 << 16)) flushBlock();
    });
    block.append("= ").append(toUtf8(r.total)).push_back('\n');
    flushBlock();
}

} // namespace quill::cli
