#pragma once
// The printed tape laid out on pages, in the units of the device it will be painted on: on
// every page a header (title, file name, date and time, a rule) and the page number ("1 / 3")
// at the foot; between them the sheet's lines on the left, each result right-aligned in a
// column of its own on the first row of its line, then a rule and the total in bold.
//
// A line too long for its column wraps inside it. A line moves to the next page whole unless
// it is longer than a page by itself; the rule and the total stay together.
#include "printing/printed_tape.h"

#include <QFont>
#include <QLineF>
#include <QRectF>
#include <vector>

class QPaintDevice;

namespace quill {

struct TapeFonts {
    QFont body;  // lines and results: fixed pitch, with Japanese glyphs
    QFont bold;  // the total and the title
    QFont small; // the date and the page numbers
};
TapeFonts tapeFonts();

struct PlacedText {
    QRectF rect;
    QString text;
    Qt::Alignment align = Qt::AlignLeft;
    const QFont* font = nullptr;
};

struct TapePage {
    std::vector<PlacedText> texts;
    std::vector<QLineF> rules;
};

// The pages of a tape on `device` (a printer or a PDF writer with its page size and margins
// set), whose paintable area is device->width() x device->height(). `fonts` must outlive the
// pages.
std::vector<TapePage> layTapeOut(const PrintedTape& tape, const TapeFonts& fonts,
                                 QPaintDevice* device);

} // namespace quill
