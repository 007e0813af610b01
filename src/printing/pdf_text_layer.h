#pragma once
// The text layer of a PDF made by Qt's PDF writer, put right for search, copy and screen
// readers. The writer names each glyph in the text layer by the lowest code point the font
// maps to it; Japanese fonts map a radical sign and its kanji to one glyph (⾒ U+2F92 and 見
// U+898B), so the layer held radical signs where the page shows kanji.
#include <QByteArray>
#include <QFont>
#include <QString>
#include <vector>

namespace quill {

// `pdf` with every glyph of its text layer named by a character of `drawn` (the texts painted
// with `fonts`) that the fonts give that glyph, where the writer named it by another one. The
// file keeps its size and layout: only four-digit codes of its glyph-to-text tables change.
QByteArray withDrawnCharacters(QByteArray pdf, const QString& drawn,
                               const std::vector<QFont>& fonts);

} // namespace quill
