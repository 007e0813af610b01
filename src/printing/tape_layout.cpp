#include "printing/tape_layout.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QTextLayout>
#include <algorithm>

namespace quill {

namespace {

constexpr qreal kResultShare = 0.4; // of the body's width, for the results column

// The rows a text takes in a column `width` wide: broken between words where it can, anywhere
// in a word that is wider than the column. An empty text takes one empty row.
QStringList wrapped(const QString& text, const QFont& font, QPaintDevice* device, qreal width) {
    QStringList rows;
    QTextLayout layout(text, font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        rows << text.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    if (rows.isEmpty()) rows << QString();
    return rows;
}

class PageBuilder {
public:
    PageBuilder(const PrintedTape& tape, const TapeFonts& fonts, QPaintDevice* device)
        : tape_(tape), fonts_(fonts), device_(device), width_(device->width()),
          height_(device->height()), row_(QFontMetricsF(fonts.body, device).lineSpacing()),
          smallRow_(QFontMetricsF(fonts.small, device).lineSpacing()) {
        const qreal gap = QFontMetricsF(fonts.body, device).horizontalAdvance(QStringLiteral("MM"));
        resultWidth_ = width_ * kResultShare;
        lineWidth_ = width_ - resultWidth_ - gap;
        bodyTop_ = row_ * 1.8;
        bodyBottom_ = height_ - smallRow_ * 1.8;
        newPage();
    }

    // One sheet line: its rows on the left, its result's rows on the right from its first row.
    void addEntry(const QString& line, const QString& result) {
        const QStringList left = wrapped(line, fonts_.body, device_, lineWidth_);
        const QStringList right = wrapped(result, fonts_.body, device_, resultWidth_);
        const qsizetype rows = std::max(left.size(), right.size());
        keepTogether(rows * row_);
        for (qsizetype i = 0; i < rows; ++i) {
            if (y_ + row_ > bodyBottom_ && y_ > bodyTop_) newPage();
            if (i < left.size()) place(QRectF(0, y_, lineWidth_, row_), left[i], Qt::AlignLeft);
            if (i < right.size())
                place(QRectF(width_ - resultWidth_, y_, resultWidth_, row_), right[i],
                      Qt::AlignRight);
            y_ += row_;
        }
    }

    void addTotal() {
        const QStringList right = wrapped(tape_.total, fonts_.bold, device_, resultWidth_);
        keepTogether(row_ * 0.5 + right.size() * row_);
        y_ += row_ * 0.25;
        page().rules.emplace_back(0, y_, width_, y_);
        y_ += row_ * 0.25;
        place(QRectF(0, y_, lineWidth_, row_), QStringLiteral("合計"), Qt::AlignLeft);
        for (const QString& r : right) {
            place(QRectF(width_ - resultWidth_, y_, resultWidth_, row_), r, Qt::AlignRight,
                  &fonts_.bold);
            y_ += row_;
        }
    }

    // Headers and page numbers go on once the number of pages is known.
    std::vector<TapePage> finish() {
        const int count = int(pages_.size());
        for (int i = 0; i < count; ++i)
            decorate(pages_[size_t(i)], QStringLiteral("%1 / %2").arg(i + 1).arg(count));
        return std::move(pages_);
    }

private:
    TapePage& page() { return pages_.back(); }

    void newPage() {
        pages_.emplace_back();
        y_ = bodyTop_;
    }

    // Moves to a new page when `height` does not fit on this one but would on an empty page.
    void keepTogether(qreal height) {
        if (y_ + height > bodyBottom_ && y_ > bodyTop_ && height <= bodyBottom_ - bodyTop_)
            newPage();
    }

    void place(const QRectF& rect, const QString& text, Qt::Alignment align,
               const QFont* font = nullptr) {
        if (text.isEmpty()) return;
        page().texts.push_back({rect, text, align, font ? font : &fonts_.body});
    }

    void decorate(TapePage& p, const QString& pageNumber) {
        QString heading = tape_.title;
        if (!tape_.fileName.isEmpty()) heading += QStringLiteral("  ") + tape_.fileName;
        const QString when = printedAtText(tape_.printedAt);
        const qreal whenWidth = QFontMetricsF(fonts_.small, device_).horizontalAdvance(when);
        const qreal headingWidth = std::max<qreal>(width_ - whenWidth - row_, width_ / 2);
        const QString shown =
            QFontMetricsF(fonts_.bold, device_).elidedText(heading, Qt::ElideMiddle, headingWidth);
        p.texts.push_back({QRectF(0, 0, headingWidth, row_), shown,
                           Qt::AlignLeft | Qt::AlignVCenter, &fonts_.bold});
        p.texts.push_back({QRectF(width_ - whenWidth - row_, 0, whenWidth + row_, row_), when,
                           Qt::AlignRight | Qt::AlignVCenter, &fonts_.small});
        const qreal ruleY = row_ * 1.3;
        p.rules.emplace_back(0, ruleY, width_, ruleY);
        p.texts.push_back({QRectF(0, height_ - smallRow_, width_, smallRow_), pageNumber,
                           Qt::AlignHCenter | Qt::AlignVCenter, &fonts_.small});
    }

    const PrintedTape& tape_;
    const TapeFonts& fonts_;
    QPaintDevice* device_;
    qreal width_, height_, row_, smallRow_;
    qreal lineWidth_ = 0, resultWidth_ = 0, bodyTop_ = 0, bodyBottom_ = 0, y_ = 0;
    std::vector<TapePage> pages_;
};

QFont fixedPitch(int points, bool bold) {
    // Noto Sans Mono CJK shows kana and kanji at twice the width of the ASCII characters, so
    // the columns of figures stay straight.
    QFont font(QStringLiteral("Noto Sans Mono CJK JP"), points);
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setBold(bold);
    return font;
}

} // namespace

TapeFonts tapeFonts() {
    return {fixedPitch(10, false), fixedPitch(10, true), fixedPitch(8, false)};
}

std::vector<TapePage> layTapeOut(const PrintedTape& tape, const TapeFonts& fonts,
                                 QPaintDevice* device) {
    PageBuilder builder(tape, fonts, device);
    for (qsizetype i = 0; i < tape.lines.size(); ++i)
        builder.addEntry(tape.lines[i], i < tape.results.size() ? tape.results[i] : QString());
    builder.addTotal();
    return builder.finish();
}

} // namespace quill
