#include "printing/tape_painter.h"

#include "printing/pdf_text_layer.h"
#include "printing/tape_layout.h"
#include "settings/atomic_file.h"
#include "settings/file_access.h"
#include "widgets/file_paths.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>

namespace quill {

namespace {

// A printed tape of the window's largest sheet stays well below this.
constexpr std::size_t kMaxPdfBytes = std::size_t{1} << 30;

void paintPage(QPainter& painter, const TapePage& page, qreal ruleWidth) {
    painter.setPen(QPen(Qt::black, ruleWidth));
    for (const QLineF& rule : page.rules) painter.drawLine(rule);
    for (const PlacedText& t : page.texts) {
        painter.setFont(*t.font);
        painter.drawText(t.rect, int(t.align | Qt::AlignVCenter), t.text);
    }
}

QString drawnText(const std::vector<TapePage>& pages) {
    QString drawn;
    for (const TapePage& page : pages)
        for (const PlacedText& text : page.texts) drawn += text.text;
    return drawn;
}

std::vector<QFont> fontList(const TapeFonts& fonts) {
    return {fonts.body, fonts.bold, fonts.small};
}

} // namespace

bool paintTape(const PrintedTape& tape, QPagedPaintDevice& device, QString* drawn) {
    const TapeFonts fonts = tapeFonts();
    const std::vector<TapePage> pages = layTapeOut(tape, fonts, &device);
    if (drawn) *drawn = drawnText(pages);
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const qreal ruleWidth = device.logicalDpiY() / 144.0; // half a point
    for (size_t i = 0; i < pages.size(); ++i) {
        if (i > 0 && !device.newPage()) return false;
        paintPage(painter, pages[i], ruleWidth);
    }
    return painter.end();
}

bool mendPdfTextLayer(const QString& path, const QString& drawn) {
    const FileRead pdf = readRegularFile(toPath(path), kMaxPdfBytes);
    if (pdf.status != FileReadStatus::Read) return false;
    const QByteArray mended =
        withDrawnCharacters(QByteArray::fromStdString(pdf.bytes), drawn, fontList(tapeFonts()));
    return replaceFileAtomically(toPath(path),
                                 std::string_view(mended.constData(), size_t(mended.size())));
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
    QString drawn;
    {
        QPdfWriter writer(&pdf);
        writer.setTitle(tape.fileName.isEmpty() ? tape.title : tape.fileName);
        writer.setCreator(tape.title);
        setTapePageLayout(writer);
        if (!paintTape(tape, writer, &drawn)) return false;
    }
    // Search, copy and screen readers get the characters the tape holds.
    const QByteArray bytes = withDrawnCharacters(pdf.data(), drawn, fontList(tapeFonts()));
    return replaceFileAtomically(toPath(path),
                                 std::string_view(bytes.constData(), size_t(bytes.size())));
}

} // namespace quill
