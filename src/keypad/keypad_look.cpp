#include "keypad/keypad_look.h"

#include <QApplication>
#include <QEvent>

namespace quill {
namespace {

QColor mix(const QColor& a, const QColor& b, double share) {
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * share),
                            float(a.greenF() + (b.greenF() - a.greenF()) * share),
                            float(a.blueF() + (b.blueF() - a.blueF()) * share));
}

const char* kindName(KeyKind kind) {
    switch (kind) {
    case KeyKind::Digit: return "digit";
    case KeyKind::Operator: return "operator";
    case KeyKind::Editing: return "editing";
    case KeyKind::Accent: return "accent";
    }
    return "editing";
}

struct KindColours {
    QColor face;
    QColor text;
};

QString buttonRules(KeyKind kind, KindColours c, const QColor& edge, const QColor& focus,
                    const QColor& pressed) {
    const QString selector = QStringLiteral("QPushButton[keyKind=\"%1\"]").arg(kindName(kind));
    return QStringLiteral("%1 { background: %2; color: %3; border: 1px solid %4;"
                          " border-bottom-color: %5; border-radius: 5px; margin: 1px;"
                          " padding: 0px 2px; }\n"
                          "%1:hover { background: %6; }\n"
                          "%1:pressed { background: %7; border-bottom-color: %4; }\n"
                          "%1:focus { border: 2px solid %8; }\n")
        .arg(selector, c.face.name(), c.text.name(), edge.name(), edge.darker(125).name(),
             mix(c.face, pressed, 0.12).name(), mix(c.face, pressed, 0.35).name(), focus.name());
}

} // namespace

KeyKind keyKind(KeyArray array, int index) {
    switch (array) {
    case KeyArray::Num: return KeyKind::Digit;
    case KeyArray::Op:
        if (index == keyIndex(OpKey::Equals)) return KeyKind::Accent;
        // The caret arrows close the operator array.
        return index >= keyIndex(OpKey::Left) ? KeyKind::Editing : KeyKind::Operator;
    case KeyArray::Menu: return KeyKind::Editing;
    }
    return KeyKind::Editing;
}

QString keypadStyleSheet(const QPalette& palette) {
    const QColor window = palette.color(QPalette::Window);
    const QColor button = palette.color(QPalette::Button);
    const QColor text = palette.color(QPalette::ButtonText);
    const QColor highlight = palette.color(QPalette::Highlight);
    const bool dark = window.lightness() < 128;
    const QColor edge = mix(button, palette.color(QPalette::WindowText), dark ? 0.12 : 0.22);

    const KindColours digit{mix(button, Qt::white, dark ? 0.14 : 0.75), text};
    const KindColours op{mix(button, highlight, dark ? 0.25 : 0.16), text};
    const KindColours editing{dark ? button : mix(button, text, 0.07), text};
    const KindColours accent{highlight, palette.color(QPalette::HighlightedText)};

    QString sheet = QStringLiteral("#pic0 { background: %1; border-top: 1px solid %2; }\n")
                        .arg(mix(window, button, 0.5).name(), edge.name());
    sheet += buttonRules(KeyKind::Digit, digit, edge, highlight, highlight);
    sheet += buttonRules(KeyKind::Operator, op, edge, highlight, highlight);
    sheet += buttonRules(KeyKind::Editing, editing, edge, highlight, highlight);
    sheet += buttonRules(KeyKind::Accent, accent, highlight.darker(115), text, Qt::black);
    return sheet;
}

KeypadLook::KeypadLook(KeypadPanel* panel, std::vector<KeypadButton*> extra)
    : QObject(panel), panel_(panel), extra_(std::move(extra)) {
    panel->setAttribute(Qt::WA_StyledBackground);
    for (KeypadButton* b : panel->buttons())
        b->setProperty("keyKind", kindName(keyKind(b->array(), b->index())));
    for (KeypadButton* b : extra_)
        b->setProperty("keyKind", kindName(keyKind(b->array(), b->index())));
    apply();
    panel->installEventFilter(this);
    if (QWidget* parent = panel->parentWidget()) parent->installEventFilter(this);
}

void KeypadLook::apply() {
    // Styling the panel changes its palette in turn; the same sheet again would never end.
    const QString sheet = keypadStyleSheet(QApplication::palette(panel_));
    if (sheet == panel_->styleSheet()) return;
    panel_->setStyleSheet(sheet);
    for (KeypadButton* b : extra_) b->setStyleSheet(sheet);
}

bool KeypadLook::eventFilter(QObject* watched, QEvent* event) {
    if (watched == panel_ && event->type() == QEvent::ApplicationPaletteChange) apply();
    // A styled panel no longer inherits its parent's font by itself; it follows it here, so
    // that the keys grow with a larger font.
    if (watched == panel_->parentWidget() && event->type() == QEvent::FontChange) {
        panel_->setFont(panel_->parentWidget()->font());
        for (KeypadButton* b : extra_) b->setFont(panel_->parentWidget()->font());
    }
    return false;
}

} // namespace quill
