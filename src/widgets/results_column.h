#pragma once
// The results column: one result line for each sheet line, read-only, selectable and copyable.
// It keeps its lines as plain strings and draws only the lines in view, so a pass that writes
// ten thousand lines costs about what copying ten thousand strings costs, and writing one line
// repaints that line alone. Lines are laid out as the sheet lays out its own (same margin,
// same line pitch, scroll position counted in lines), so the two boxes line up when they show
// the same first line.
#include <QAbstractScrollArea>
#include <QString>
#include <QTextLayout>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quill {

// A place in the column: a line and a character offset in it.
struct ColumnPlace {
    int line = 0;
    int column = 0;
    friend bool operator==(const ColumnPlace&, const ColumnPlace&) = default;
    friend auto operator<=>(const ColumnPlace&, const ColumnPlace&) = default;
};

class ResultsColumn : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit ResultsColumn(QWidget* parent = nullptr);

    // Shown, copied and read in place of a line break inside a result, so that the column
    // keeps one line per sheet line.
    static constexpr char16_t kLineBreakMark = u'\u21B5'; // ↵
    // A result as the column holds it: each line break (CR LF is one) as kLineBreakMark.
    static std::u16string oneLine(std::u16string text);

    // Makes the text of line `index` of a column written whole.
    using LineMaker = std::function<std::u16string(size_t index)>;

    // Contents. An empty column holds one empty line, as an empty text box does.
    int lineCount() const { return int(lines_.size()); }
    QString line(int index) const;
    std::vector<std::u16string> lines() const;
    // The lines joined by line breaks.
    QString toPlainText() const;

    void setLines(std::vector<std::u16string> lines);
    // `count` lines whose texts `make` gives when they are first drawn or read: a long column
    // written whole formats the few dozen lines in view, not every line. `make` must give the
    // same text for a line whenever it is asked.
    void setLines(size_t count, LineMaker make);
    void setLine(int index, std::u16string text);
    // `count` empty lines before line `first` (at the end when first is the line count).
    void insertLines(int first, int count);
    // Removes lines first..first+count-1; the column keeps at least one line.
    void removeLines(int first, int count);
    void clear();

    // Selection, as a text box keeps it: from the anchor to the caret.
    ColumnPlace caret() const { return caret_; }
    ColumnPlace anchor() const { return anchor_; }
    bool hasSelection() const { return caret_ != anchor_; }
    QString selectedText() const;
    void setSelection(ColumnPlace anchor, ColumnPlace caret);
    void selectLine(int index); // the whole line, caret at its end, brought into view
    void clearSelection();
    void selectAll();
    void copy() const;

    // Where a place is drawn, in viewport coordinates (the caret's rectangle).
    QRect placeRect(ColumnPlace place) const;
    QRect cursorRect() const { return placeRect(caret_); }
    ColumnPlace placeAt(QPoint viewportPoint) const;
    // Character offsets in toPlainText(), as assistive technology counts them.
    int offsetOf(ColumnPlace place) const;
    ColumnPlace placeOf(int offset) const;
    void ensureVisible(ColumnPlace place);

signals:
    // Lines first..first+count-1 were written, or lines were added or removed from `first` on
    // (count -1: to the end).
    void linesChanged(int first, int count);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    qreal topOf(int line) const; // in viewport coordinates
    int linesInView() const;     // whole lines that fit, as the sheet counts them
    void layOut(QTextLayout& layout, int line) const;
    void measureFont();
    void adjustScrollBar();
    void repaintLines(int first, int last); // inclusive; last -1: to the bottom
    void moveCaret(ColumnPlace to, bool keepAnchor);
    bool moveByKey(QKeyEvent* event);
    ColumnPlace clamped(ColumnPlace place) const;
    void written(int first, int count); // after lines were written, added or removed
    void rewritten();                   // after every line was written
    const std::u16string& textOf(int index) const;

    // A line not yet made holds the index `make_` makes it from.
    struct Line {
        std::u16string text;
        std::uint32_t unmade = kMade;
    };
    static constexpr std::uint32_t kMade = UINT32_MAX;

    mutable std::vector<Line> lines_{Line()};
    LineMaker make_;
    ColumnPlace caret_;
    ColumnPlace anchor_;
    qreal pitch_ = 1;
    qreal margin_ = 4;
    int hOffset_ = 0;
    bool dragging_ = false;
    mutable QString plainText_;
    mutable bool plainTextKnown_ = false;
};

} // namespace quill
