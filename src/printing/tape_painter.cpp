#include "printing/tape_painter.h"

#include "printing/tape_layout.h"

#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>

namespace quill {

namespace {

void paintPage(QPainter& painter, const TapePage& page, qreal ruleWidth) {
    painter.setPen(QPen(Qt::black, ruleWidth));
    for (const QLineF& rule : page.rules) painter.drawLine(rule);
    for (const PlacedText& t : page.texts) {
        painter.setFont(*t.font);
        painter.drawText(t.rect, int(t.align | Qt::AlignVCenter), t.text);
    }
}

} // namespace

bool paintTape(const PrintedTape& tape, QPagedPaintDevice& device) {
    const TapeFonts fonts = tapeFonts();
    const std::vector<TapePage> pages = layTapeOut(tape, fonts, &device);
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const qreal ruleWidth = device.logicalDpiY() / 144.0; // half a point
    for (size_t i = 0; i < pages.size(); ++i) {
        if (i > 0 && !device.newPage()) return false;
        paintPage(painter, pages[i], ruleWidth);
    }
    return painter.end();
}

void setTapePageLayout(QPagedPaintDevice& device) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
}

bool writeTapePdf(const PrintedTape& tape, const QString& path) {
    // QPdfWriter opens its file only when painting begins; a folder or an unwritable place
    // makes that fail.
    if (QFileInfo(path).isDir()) return false;
    QPdfWriter writer(path);
    writer.setTitle(tape.fileName.isEmpty() ? tape.title : tape.fileName);
    writer.setCreator(tape.title);
    setTapePageLayout(writer);
    return paintTape(tape, writer);
}

} // namespace quill
