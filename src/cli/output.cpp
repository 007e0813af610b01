#include "cli/output.h"

#include "engine/convert.h"
#include "engine/jtext.h"
#include "sheet/phrase.h"
#include "speech/espeak_text.h"

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
    nlohmann::json j = {{"kind", kindName(v.kind())},
                        {"text", text},
                        {"status", toUtf8(status)},
                        {"spoken", toUtf8(espeakText(resultPhrase(v)))}};
    out << j.dump() << '\n';
}

namespace {

// Columns a text takes on a terminal: CJK ideographs, kana and full-width forms take two.
size_t displayWidth(std::u16string_view text) {
    size_t w = 0;
    for (char16_t c : text)
        w += ((c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
              (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
              (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6))
                 ? 2
                 : 1;
    return w;
}

// For a person at a terminal: the tape's operators in a column of their own, the values
// right-aligned under each other, a rule, and the total.
void printTape(std::ostream& out, const PassResult& r) {
    auto split = [](std::u16string_view line) {
        static const std::u16string_view ops[] = {u"+ ", u"- ", u"* ", u"/ ", u"\\ "};
        for (auto op : ops)
            if (line.substr(0, 2) == op) return std::pair{op, line.substr(2)};
        return std::pair{std::u16string_view(u"  "), line};
    };
    size_t width = displayWidth(r.total);
    for (const auto& line : r.results) width = std::max(width, displayWidth(split(line).second));
    auto row = [&](std::u16string_view op, std::u16string_view value) {
        out << toUtf8(op) << std::string(width - displayWidth(value), ' ') << toUtf8(value) << '\n';
    };
    for (const auto& line : r.results) {
        if (line.empty())
            out << '\n';
        else
            row(split(line).first, split(line).second);
    }
    std::string rule;
    for (size_t i = 0; i < width + 2; ++i) rule += "─";
    out << rule << '\n';
    row(u"= ", r.total);
}

} // namespace

std::u16string printSheet(std::ostream& out, std::u16string_view sheet, Grouping grouping,
                          bool json, bool forTerminal) {
    if (forTerminal && !json) {
        PassResult r = calculateSheet(sheet, grouping);
        printTape(out, r);
        return r.phrase;
    }
    if (json) {
        PassResult r = calculateSheet(sheet, grouping);
        nlohmann::json results = nlohmann::json::array();
        for (const auto& line : r.results) results.push_back(toUtf8(line));
        nlohmann::json j = {{"results", results},
                            {"total", toUtf8(r.total)},
                            {"status", toUtf8(r.status)},
                            {"speech", toUtf8(r.phrase)},
                            {"spoken", toUtf8(espeakText(r.phrase))},
                            {"sheet", toUtf8(r.sheetChanged ? r.sheet : sheet)}};
        out << j.dump() << '\n';
        return r.phrase;
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
    return r.phrase;
}

} // namespace quill::cli
