#include "widgets/redo_key.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <functional>

namespace quill {
namespace {

bool isRedoKey(const QEvent* event) {
    const auto* key = static_cast<const QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    return (key->key() == Qt::Key_Y && modifiers == Qt::ControlModifier) ||
           (key->key() == Qt::Key_Z && modifiers == (Qt::ControlModifier | Qt::ShiftModifier));
}

// Takes the redo keys before any shortcut of the window can, and redoes.
class RedoKeys : public QObject {
public:
    RedoKeys(QWidget* box, std::function<void()> redo)
        : QObject(box), box_(box), redo_(std::move(redo)) {
        box->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != box_) return false;
        const bool override = event->type() == QEvent::ShortcutOverride;
        if ((!override && event->type() != QEvent::KeyPress) || !isRedoKey(event)) return false;
        event->accept();
        if (override) return false; // the box now gets the key press
        redo_();
        return true;
    }

private:
    QWidget* box_;
    std::function<void()> redo_;
};

} // namespace

void redoOnBothKeys(QPlainTextEdit* box) {
    new RedoKeys(box, [box] {
        if (!box->isReadOnly()) box->redo();
    });
}

void redoOnBothKeys(QLineEdit* box) {
    new RedoKeys(box, [box] {
        if (!box->isReadOnly()) box->redo();
    });
}

} // namespace quill
