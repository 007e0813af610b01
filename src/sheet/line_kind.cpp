#include "sheet/line_kind.h"

namespace quill {

std::u16string_view trimBlanks(std::u16string_view t) {
    while (!t.empty() && t.front() == u' ') t.remove_prefix(1);
    while (!t.empty() && t.back() == u' ') t.remove_suffix(1);
    return t;
}

SheetLine classifyLine(std::u16string_view line, std::u16string& storage) {
    std::u16string_view t = trimBlanks(line);
    if (t.empty()) return {};
    // A leading "+", "*", "/" or "\" gets a blank after it, so "*3" is a tape line like "* 3";
    // a leading "-" does not, so "-5" adds a negative number while "- 5" subtracts.
    char16_t first = t[0];
    if (first == u'+' || first == u'*' || first == u'/' || first == u'\\') {
        storage.assign(1, first);
        storage += u' ';
        storage.append(t.substr(1));
        t = storage;
    }
    if (t.size() >= 2 && t[1] == u' ') {
        std::u16string_view rest = trimBlanks(t.substr(2));
        switch (first) {
        case u'-': return {LineKind::Subtract, rest, u"- "};
        case u'*': return {LineKind::Multiply, rest, u"* "};
        case u'/': return {LineKind::Divide, rest, u"/ "};
        case u'\\': return {LineKind::IntDivide, rest, u"\\ "};
        default: break;
        }
    }
    return {LineKind::Add, t, u"+ "};
}

} // namespace quill
