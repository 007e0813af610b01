#include "printing/pdf_text_layer.h"

#include <QRawFont>
#include <map>
#include <set>

namespace quill {
namespace {

// Which drawn character each glyph stands for, and the glyphs of any other character.
class GlyphNames {
public:
    GlyphNames(const QString& drawn, const std::vector<QFont>& fonts) {
        for (const QChar c : drawn)
            if (!c.isSurrogate()) drawn_.insert(c.unicode());
        for (const QFont& font : fonts) fonts_.push_back(QRawFont::fromFont(font));
        // Where drawn characters share a glyph, the highest names it: a kanji lies above the
        // radical signs drawn like it (the set is in ascending order).
        for (std::size_t f = 0; f < fonts_.size(); ++f)
            for (char16_t c : drawn_) byGlyph_[{f, glyph(f, c)}] = c;
    }

    // The drawn character for code `u` of the text layer; `u` itself when no drawn character
    // shares its glyph.
    char16_t named(char16_t u) const {
        for (std::size_t f = 0; f < fonts_.size(); ++f) {
            const quint32 g = glyph(f, u);
            if (g == 0) continue;
            const auto it = byGlyph_.find({f, g});
            if (it != byGlyph_.end()) return it->second;
        }
        return u;
    }

private:
    quint32 glyph(std::size_t font, char16_t c) const {
        const QList<quint32> glyphs = fonts_[font].glyphIndexesForString(QString(QChar(c)));
        return glyphs.size() == 1 ? glyphs.front() : 0;
    }

    std::set<char16_t> drawn_;
    std::vector<QRawFont> fonts_;
    std::map<std::pair<std::size_t, quint32>, char16_t> byGlyph_;
};

// Renames the code of the four hex digits at `at` (just after "<").
void rename(QByteArray& pdf, qsizetype at, const GlyphNames& names) {
    bool ok = false;
    const uint u = pdf.mid(at, 4).toUInt(&ok, 16);
    if (!ok) return;
    const char16_t named = names.named(char16_t(u));
    if (named != u)
        pdf.replace(at, 4, QByteArray::number(uint(named), 16).rightJustified(4, '0').toUpper());
}

// The positions of the target codes in one line of a CMap: in "<src> <dst>" (bfchar) the
// second, in "<lo> <hi> [<dst> ...]" every code of the list, in "<lo> <lo> <dst>" the third.
std::vector<qsizetype> targets(const QByteArray& pdf, qsizetype from, qsizetype to, bool chars) {
    std::vector<qsizetype> codes;
    const qsizetype list = pdf.indexOf('[', from);
    for (qsizetype at = pdf.indexOf('<', from); at >= 0 && at < to; at = pdf.indexOf('<', at + 1))
        codes.push_back(at + 1);
    if (chars)
        return codes.size() == 2 ? std::vector<qsizetype>{codes[1]} : std::vector<qsizetype>{};
    if (list >= 0 && list < to) {
        std::erase_if(codes, [&](qsizetype at) { return at < list; });
        return codes;
    }
    if (codes.size() == 3 && pdf.mid(codes[0], 4) == pdf.mid(codes[1], 4)) return {codes[2]};
    return {};
}

// Renames the targets of the glyph-to-text table in pdf[from, to), line by line.
void renameTable(QByteArray& pdf, qsizetype from, qsizetype to, const GlyphNames& names) {
    enum { None, Chars, Ranges } section = None;
    for (qsizetype line = from; line < to;) {
        qsizetype end = pdf.indexOf('\n', line);
        if (end < 0 || end > to) end = to;
        const QByteArray text = pdf.mid(line, end - line).trimmed();
        if (text.endsWith("beginbfchar"))
            section = Chars;
        else if (text.endsWith("beginbfrange"))
            section = Ranges;
        else if (text.startsWith("end"))
            section = None;
        else if (section != None)
            for (qsizetype at : targets(pdf, line, end, section == Chars))
                if (at + 4 <= end && pdf.at(at + 4) == '>') rename(pdf, at, names);
        line = end + 1;
    }
}

} // namespace

QByteArray withDrawnCharacters(QByteArray pdf, const QString& drawn,
                               const std::vector<QFont>& fonts) {
    const GlyphNames names(drawn, fonts);
    std::set<QByteArray> tables; // the object numbers of the glyph-to-text tables
    const QByteArray key = "/ToUnicode ";
    for (qsizetype at = pdf.indexOf(key); at >= 0; at = pdf.indexOf(key, at + 1)) {
        const qsizetype number = at + key.size();
        const qsizetype blank = pdf.indexOf(' ', number);
        if (blank > number) tables.insert(pdf.mid(number, blank - number));
    }
    for (const QByteArray& table : tables) {
        const qsizetype object = pdf.indexOf("\n" + table + " 0 obj");
        if (object < 0) continue;
        const qsizetype stream = pdf.indexOf("stream\n", object);
        const qsizetype end = pdf.indexOf("endstream", object);
        // A compressed table is left as it is.
        if (stream < 0 || end < stream || pdf.mid(object, stream - object).contains("/Filter"))
            continue;
        renameTable(pdf, stream + 7, end, names);
    }
    return pdf;
}

} // namespace quill
