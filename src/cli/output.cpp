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

void printSheet(std::ostream& out, const PassResult& r, bool json) {
    if (!json) {
        for (const auto& line : r.results) out << toUtf8(line) << '\n';
        out << "= " << toUtf8(r.total) << '\n';
        return;
    }
    nlohmann::json results = nlohmann::json::array();
    for (const auto& line : r.results) results.push_back(toUtf8(line));
    nlohmann::json j = {{"results", results},
                        {"total", toUtf8(r.total)},
                        {"status", toUtf8(r.status)},
                        {"speech", toUtf8(r.phrase)},
                        {"sheet", toUtf8(r.sheet)}};
    out << j.dump() << '\n';
}

} // namespace quill::cli
