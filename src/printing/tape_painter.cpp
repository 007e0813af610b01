#include "printing/tape_painter.h"

#include "printing/tape_layout.h"
#include "settings/atomic_file.h"
#include "widgets/file_paths.h"

#include <QBuffer>
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
    if (QFileInfo(path).isDir()) return false;
    // Made in memory and then put in place whole: a failure leaves no cut PDF behind, and an
    // older file of that name stays as it was.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setTitle(tape.fileName.isEmpty() ? tape.title : tape.fileName);
        writer.setCreator(tape.title);
        setTapePageLayout(writer);
        if (!paintTape(tape, writer)) return false;
    }
    const QByteArray& bytes = pdf.data();
    return replaceFileAtomically(toPath(path),
                                 std::string_view(bytes.constData(), size_t(bytes.size())));
}

} // namespace quill
