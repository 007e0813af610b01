#include "widgets/results_column_accessible.h"

#include "widgets/results_column.h"

#include <QAccessibleWidget>
#include <QScrollBar>

namespace quill {

namespace {

class AccessibleResultsColumn : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit AccessibleResultsColumn(ResultsColumn* column)
        : QAccessibleWidget(column, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        s.multiLine = true;
        s.selectableText = true;
        return s;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return column()->toPlainText();
        return QAccessibleWidget::text(t);
    }

    // The text interface counts characters in the lines joined by line breaks.
    void selection(int index, int* start, int* end) const override {
        *start = *end = 0;
        if (index != 0 || !column()->hasSelection()) return;
        const int a = column()->offsetOf(column()->anchor());
        const int c = column()->offsetOf(column()->caret());
        *start = std::min(a, c);
        *end = std::max(a, c);
    }
    int selectionCount() const override { return column()->hasSelection() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { column()->clearSelection(); }
    void setSelection(int, int start, int end) override {
        column()->setSelection(column()->placeOf(start), column()->placeOf(end));
    }
    int cursorPosition() const override { return column()->offsetOf(column()->caret()); }
    void setCursorPosition(int position) override {
        const ColumnPlace at = column()->placeOf(position);
        column()->setSelection(at, at);
    }
    QString text(int start, int end) const override {
        return column()->toPlainText().mid(start, end - start);
    }
    int characterCount() const override { return int(column()->toPlainText().size()); }
    QRect characterRect(int offset) const override {
        const QRect r = column()->placeRect(column()->placeOf(offset));
        const QWidget* view = column()->viewport();
        return QRect(view->mapToGlobal(r.topLeft()), r.size());
    }
    int offsetAtPoint(const QPoint& point) const override {
        const QWidget* view = column()->viewport();
        return column()->offsetOf(column()->placeAt(view->mapFromGlobal(point)));
    }
    void scrollToSubstring(int start, int) override {
        column()->ensureVisible(column()->placeOf(start));
    }
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }

private:
    ResultsColumn* column() const { return static_cast<ResultsColumn*>(widget()); }
};

QAccessibleInterface* resultsColumnFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("quill::ResultsColumn") && object && object->isWidgetType())
        return new AccessibleResultsColumn(static_cast<ResultsColumn*>(object));
    return nullptr;
}

} // namespace

void installResultsColumnAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(resultsColumnFactory);
        return true;
    }();
    (void)installed;
}

void announceTextChange(ResultsColumn* column, int first, int count) {
    if (!QAccessible::isActive()) return;
    const int start = column->offsetOf({first, 0});
    QString now;
    if (count < 0) {
        now = column->toPlainText().mid(start);
    } else {
        for (int i = first; i < first + count; ++i) now += column->line(i);
    }
    // The old text is not kept; listeners read the new text from here.
    QAccessibleTextUpdateEvent event(column, start, QString(), now);
    QAccessible::updateAccessibility(&event);
}

void announceCaret(ResultsColumn* column) {
    if (!QAccessible::isActive()) return;
    QAccessibleTextCursorEvent event(column, column->offsetOf(column->caret()));
    QAccessible::updateAccessibility(&event);
}

} // namespace quill
