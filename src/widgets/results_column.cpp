#include "widgets/results_column.h"

#include "widgets/results_column_accessible.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <cmath>

namespace quill {

namespace {

bool isLineBreak(char16_t c) {
    return c == u'\n' || c == u'\r' || c == u'\u2028' || c == u'\u2029';
}

} // namespace

// A result keeps to its own line beside its sheet line: a line break inside it (a text such as
// CHR$(10)) becomes the mark kLineBreakMark, in what is drawn, selected, copied and read by a
// screen reader alike, so every later result keeps its line's place. CR LF is one break.
std::u16string ResultsColumn::oneLine(std::u16string text) {
    if (std::none_of(text.begin(), text.end(), isLineBreak)) return text;
    std::u16string line;
    line.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (!isLineBreak(text[i])) {
            line += text[i];
            continue;
        }
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        line += kLineBreakMark;
    }
    return line;
}

ResultsColumn::ResultsColumn(QWidget* parent) : QAbstractScrollArea(parent) {
    installResultsColumnAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setSingleStep(1);
    measureFont();
}

const std::u16string& ResultsColumn::textOf(int index) const {
    Line& l = lines_[size_t(index)];
    if (l.unmade != kMade) {
        l.text = oneLine(make_(l.unmade));
        l.unmade = kMade;
    }
    return l.text;
}

QString ResultsColumn::line(int index) const {
    if (index < 0 || index >= lineCount()) return {};
    return QString::fromStdU16String(textOf(index));
}

std::vector<std::u16string> ResultsColumn::lines() const {
    std::vector<std::u16string> texts;
    texts.reserve(lines_.size());
    for (int i = 0; i < lineCount(); ++i) texts.push_back(textOf(i));
    return texts;
}

QString ResultsColumn::toPlainText() const {
    // Kept until the next write: a screen reader asks for the text again and again.
    if (plainTextKnown_) return plainText_;
    plainText_.clear();
    for (int i = 0; i < lineCount(); ++i) {
        if (i > 0) plainText_ += u'\n';
        plainText_ += QStringView(textOf(i));
    }
    plainTextKnown_ = true;
    return plainText_;
}

void ResultsColumn::written(int first, int count) {
    plainTextKnown_ = false;
    plainText_.clear();
    emit linesChanged(first, count);
    announceTextChange(this, first, count);
}

void ResultsColumn::setLines(std::vector<std::u16string> lines) {
    make_ = nullptr;
    lines_.assign(std::max<size_t>(lines.size(), 1), Line());
    for (size_t i = 0; i < lines.size(); ++i) lines_[i].text = oneLine(std::move(lines[i]));
    rewritten();
}

void ResultsColumn::setLines(size_t count, LineMaker make) {
    make_ = std::move(make);
    lines_.assign(std::max<size_t>(count, 1), Line());
    for (size_t i = 0; i < count; ++i) lines_[i].unmade = std::uint32_t(i);
    rewritten();
}

void ResultsColumn::rewritten() {
    caret_ = anchor_ = clamped(caret_);
    adjustScrollBar();
    viewport()->update();
    written(0, -1);
}

void ResultsColumn::setLine(int index, std::u16string text) {
    if (index < 0 || index >= lineCount()) return;
    text = oneLine(std::move(text));
    Line& l = lines_[size_t(index)];
    if (l.unmade == kMade && l.text == text) return;
    l = {std::move(text), kMade};
    caret_ = clamped(caret_);
    anchor_ = clamped(anchor_);
    repaintLines(index, index);
    written(index, 1);
}

void ResultsColumn::insertLines(int first, int count) {
    first = std::clamp(first, 0, lineCount());
    if (count <= 0) return;
    lines_.insert(lines_.begin() + first, size_t(count), Line());
    for (ColumnPlace* p : {&caret_, &anchor_})
        if (p->line >= first) p->line += count;
    adjustScrollBar();
    repaintLines(first, -1);
    written(first, -1);
}

void ResultsColumn::removeLines(int first, int count) {
    first = std::clamp(first, 0, lineCount());
    count = std::min(count, lineCount() - first);
    if (count <= 0) return;
    lines_.erase(lines_.begin() + first, lines_.begin() + first + count);
    if (lines_.empty()) lines_.emplace_back();
    for (ColumnPlace* p : {&caret_, &anchor_}) {
        if (p->line >= first + count)
            p->line -= count;
        else if (p->line >= first)
            *p = {first, 0};
        *p = clamped(*p);
    }
    adjustScrollBar();
    repaintLines(first, -1);
    written(first, -1);
}

void ResultsColumn::clear() {
    setLines({});
}

QString ResultsColumn::selectedText() const {
    const ColumnPlace from = std::min(caret_, anchor_);
    const ColumnPlace to = std::max(caret_, anchor_);
    QString text;
    for (int i = from.line; i <= to.line; ++i) {
        const std::u16string& l = textOf(i);
        const int start = i == from.line ? from.column : 0;
        const int end = i == to.line ? to.column : int(l.size());
        if (i > from.line) text += u'\n';
        text += QStringView(l).mid(start, end - start);
    }
    return text;
}

void ResultsColumn::setSelection(ColumnPlace anchor, ColumnPlace caret) {
    const int before = std::min(caret_.line, anchor_.line);
    const int beforeEnd = std::max(caret_.line, anchor_.line);
    anchor_ = clamped(anchor);
    caret_ = clamped(caret);
    repaintLines(std::min({before, caret_.line, anchor_.line}),
                 std::max({beforeEnd, caret_.line, anchor_.line}));
    announceCaret(this);
}

void ResultsColumn::selectLine(int index) {
    index = std::clamp(index, 0, lineCount() - 1);
    setSelection({index, 0}, {index, int(textOf(index).size())});
    ensureVisible(caret_);
}

void ResultsColumn::clearSelection() {
    setSelection(caret_, caret_);
}

void ResultsColumn::selectAll() {
    setSelection({0, 0}, {lineCount() - 1, int(textOf(lineCount() - 1).size())});
}

void ResultsColumn::copy() const {
    if (hasSelection()) QApplication::clipboard()->setText(selectedText());
}

ColumnPlace ResultsColumn::clamped(ColumnPlace place) const {
    place.line = std::clamp(place.line, 0, lineCount() - 1);
    place.column = std::clamp(place.column, 0, int(textOf(place.line).size()));
    return place;
}

// Layout ------------------------------------------------------------------------------------

void ResultsColumn::measureFont() {
    // The pitch of a line as the sheet's plain-text layout gives it: the line's height with
    // its leading.
    QTextLayout sample(QStringLiteral("0"), font());
    sample.beginLayout();
    QTextLine l = sample.createLine();
    l.setLeadingIncluded(true);
    l.setLineWidth(1000);
    sample.endLayout();
    pitch_ = std::max<qreal>(l.height() + (l.leading() < 0 ? std::ceil(l.leading()) : 0), 1);
    adjustScrollBar();
}

qreal ResultsColumn::topOf(int line) const {
    const int first = verticalScrollBar()->value();
    // Scrolled to the top the first line sits below the margin; scrolled down, the first line
    // in view starts at the top edge.
    return (first == 0 ? margin_ : 0) + (line - first) * pitch_;
}

int ResultsColumn::linesInView() const {
    // Whole lines fitting above the bottom margin; a hidden box counts none.
    if (!isVisible()) return 0;
    const qreal room = viewport()->height() - margin_ - 1;
    return room <= 0 ? 0 : std::min(int(room / pitch_), lineCount());
}

void ResultsColumn::adjustScrollBar() {
    const int inView = linesInView();
    verticalScrollBar()->setPageStep(std::max(inView, 1));
    verticalScrollBar()->setRange(0, lineCount() - inView);
}

void ResultsColumn::layOut(QTextLayout& layout, int line) const {
    layout.setText(QString::fromStdU16String(textOf(line)));
    layout.setFont(font());
    layout.beginLayout();
    QTextLine l = layout.createLine();
    l.setLeadingIncluded(true);
    l.setPosition(QPointF(margin_ - hOffset_, 0));
    layout.endLayout();
}

void ResultsColumn::repaintLines(int first, int last) {
    const qreal top = topOf(first);
    const qreal bottom = last < 0 ? viewport()->height() : topOf(last + 1);
    if (bottom < 0 || top > viewport()->height()) return;
    viewport()->update(QRect(0, int(std::floor(top)), viewport()->width(),
                             int(std::ceil(bottom - std::floor(top)))));
}

QRect ResultsColumn::placeRect(ColumnPlace place) const {
    place = clamped(place);
    QTextLayout layout;
    layOut(layout, place.line);
    const qreal x = layout.lineAt(0).cursorToX(place.column);
    return QRect(int(x), int(topOf(place.line)), 1, int(std::ceil(pitch_)));
}

ColumnPlace ResultsColumn::placeAt(QPoint point) const {
    const int first = verticalScrollBar()->value();
    const qreal y = point.y() - topOf(first);
    const int line = std::clamp(first + int(std::floor(y / pitch_)), 0, lineCount() - 1);
    QTextLayout layout;
    layOut(layout, line);
    return clamped({line, layout.lineAt(0).xToCursor(point.x())});
}

int ResultsColumn::offsetOf(ColumnPlace place) const {
    place = clamped(place);
    int offset = place.column;
    for (int i = 0; i < place.line; ++i) offset += int(textOf(i).size()) + 1;
    return offset;
}

ColumnPlace ResultsColumn::placeOf(int offset) const {
    int line = 0;
    for (; line + 1 < lineCount(); ++line) {
        const int length = int(textOf(line).size());
        if (offset <= length) break;
        offset -= length + 1;
    }
    return clamped({line, std::max(offset, 0)});
}

void ResultsColumn::ensureVisible(ColumnPlace place) {
    QScrollBar* bar = verticalScrollBar();
    const int inView = std::max(linesInView(), 1);
    if (place.line < bar->value())
        bar->setValue(place.line);
    else if (place.line >= bar->value() + inView)
        bar->setValue(place.line - inView + 1);
    // Sideways only as far as the place needs: a result wider than the column.
    const int x = placeRect(place).x();
    const int width = viewport()->width() - int(2 * margin_);
    int offset = hOffset_;
    if (x < margin_) offset -= int(margin_) - x;
    if (x > width) offset += x - width;
    offset = std::max(offset, 0);
    if (offset != hOffset_) {
        hOffset_ = offset;
        viewport()->update();
    }
}

// Events ------------------------------------------------------------------------------------

void ResultsColumn::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QRect area = event->rect();
    const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
    painter.setPen(palette().color(group, QPalette::Text));
    const ColumnPlace from = std::min(caret_, anchor_);
    const ColumnPlace to = std::max(caret_, anchor_);
    QTextLayout layout;
    for (int i = std::max(verticalScrollBar()->value() - 1, 0); i < lineCount(); ++i) {
        const qreal top = topOf(i);
        if (top > area.bottom()) break;
        if (top + pitch_ < area.top()) continue;
        layOut(layout, i);
        QList<QTextLayout::FormatRange> selection;
        if (from != to && i >= from.line && i <= to.line) {
            const int start = i == from.line ? from.column : 0;
            const int end = i == to.line ? to.column : int(textOf(i).size());
            QTextLayout::FormatRange range{start, end - start, {}};
            range.format.setBackground(palette().brush(group, QPalette::Highlight));
            range.format.setForeground(palette().brush(group, QPalette::HighlightedText));
            selection.append(range);
        }
        layout.draw(&painter, QPointF(0, top), selection);
        if (i == caret_.line && hasFocus())
            layout.drawCursor(&painter, QPointF(0, top), caret_.column);
    }
}

void ResultsColumn::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    adjustScrollBar();
}

void ResultsColumn::showEvent(QShowEvent* event) {
    QAbstractScrollArea::showEvent(event);
    adjustScrollBar();
}

void ResultsColumn::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        measureFont();
        viewport()->update();
    }
}

void ResultsColumn::scrollContentsBy(int, int) {
    viewport()->update();
}

void ResultsColumn::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void ResultsColumn::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void ResultsColumn::moveCaret(ColumnPlace to, bool keepAnchor) {
    to = clamped(to);
    setSelection(keepAnchor ? anchor_ : to, to);
    ensureVisible(caret_);
}

bool ResultsColumn::moveByKey(QKeyEvent* event) {
    enum class Move {
        PrevChar,
        NextChar,
        PrevLine,
        NextLine,
        Home,
        End,
        Top,
        Bottom,
        PageUp,
        PageDown
    };
    struct Binding {
        QKeySequence::StandardKey key;
        Move move;
        bool select;
    };
    static const Binding bindings[] = {
        {QKeySequence::MoveToPreviousChar, Move::PrevChar, false},
        {QKeySequence::MoveToNextChar, Move::NextChar, false},
        {QKeySequence::MoveToPreviousLine, Move::PrevLine, false},
        {QKeySequence::MoveToNextLine, Move::NextLine, false},
        {QKeySequence::MoveToStartOfLine, Move::Home, false},
        {QKeySequence::MoveToEndOfLine, Move::End, false},
        {QKeySequence::MoveToStartOfDocument, Move::Top, false},
        {QKeySequence::MoveToEndOfDocument, Move::Bottom, false},
        {QKeySequence::MoveToPreviousPage, Move::PageUp, false},
        {QKeySequence::MoveToNextPage, Move::PageDown, false},
        {QKeySequence::SelectPreviousChar, Move::PrevChar, true},
        {QKeySequence::SelectNextChar, Move::NextChar, true},
        {QKeySequence::SelectPreviousLine, Move::PrevLine, true},
        {QKeySequence::SelectNextLine, Move::NextLine, true},
        {QKeySequence::SelectStartOfLine, Move::Home, true},
        {QKeySequence::SelectEndOfLine, Move::End, true},
        {QKeySequence::SelectStartOfDocument, Move::Top, true},
        {QKeySequence::SelectEndOfDocument, Move::Bottom, true},
        {QKeySequence::SelectPreviousPage, Move::PageUp, true},
        {QKeySequence::SelectNextPage, Move::PageDown, true},
    };
    const auto b =
        std::find_if(std::begin(bindings), std::end(bindings),
                     [&](const Binding& binding) { return event->matches(binding.key); });
    if (b == std::end(bindings)) return false;
    ColumnPlace to = caret_;
    const int page = std::max(linesInView(), 1);
    const int lineEnd = int(textOf(to.line).size());
    switch (b->move) {
    case Move::PrevChar:
        to =
            to.column > 0 ? ColumnPlace{to.line, to.column - 1} : ColumnPlace{to.line - 1, INT_MAX};
        break;
    case Move::NextChar:
        to =
            to.column < lineEnd ? ColumnPlace{to.line, to.column + 1} : ColumnPlace{to.line + 1, 0};
        break;
    case Move::PrevLine: --to.line; break;
    case Move::NextLine: ++to.line; break;
    case Move::Home: to.column = 0; break;
    case Move::End: to.column = lineEnd; break;
    case Move::Top: to = {0, 0}; break;
    case Move::Bottom: to = {lineCount() - 1, INT_MAX}; break;
    case Move::PageUp: to.line -= page; break;
    case Move::PageDown: to.line += page; break;
    }
    if (to.line < 0) to = {0, 0};
    if (to.line >= lineCount()) to = {lineCount() - 1, INT_MAX};
    moveCaret(to, b->select);
    return true;
}

void ResultsColumn::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        copy();
    } else if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
    } else if (!moveByKey(event)) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

void ResultsColumn::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    dragging_ = true;
    moveCaret(placeAt(event->position().toPoint()), event->modifiers().testFlag(Qt::ShiftModifier));
}

void ResultsColumn::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) return;
    // Dragging past an edge scrolls a line at a time.
    QPoint at = event->position().toPoint();
    at.setY(std::clamp(at.y(), -1, viewport()->height()));
    moveCaret(placeAt(at), true);
}

void ResultsColumn::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    dragging_ = false;
    QClipboard* clipboard = QApplication::clipboard();
    if (hasSelection() && clipboard->supportsSelection())
        clipboard->setText(selectedText(), QClipboard::Selection);
}

void ResultsColumn::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    // The word under the pointer.
    const ColumnPlace at = placeAt(event->position().toPoint());
    const QString text = line(at.line);
    QTextBoundaryFinder words(QTextBoundaryFinder::Word, text);
    words.setPosition(at.column);
    int start = words.isAtBoundary() ? at.column : int(words.toPreviousBoundary());
    words.setPosition(at.column);
    int end = int(words.toNextBoundary());
    if (start < 0) start = 0;
    if (end < 0) end = int(text.size());
    setSelection({at.line, start}, {at.line, end});
}

void ResultsColumn::contextMenuEvent(QContextMenuEvent* event) {
    // The items and their texts of a read-only text box's own menu.
    QMenu menu(this);
    QAction* copyItem = menu.addAction(QCoreApplication::translate("QWidgetTextControl", "&Copy"),
                                       this, &ResultsColumn::copy);
    copyItem->setEnabled(hasSelection());
    menu.addSeparator();
    menu.addAction(QCoreApplication::translate("QWidgetTextControl", "Select All"), this,
                   &ResultsColumn::selectAll);
    menu.exec(event->globalPos());
}

} // namespace quill
