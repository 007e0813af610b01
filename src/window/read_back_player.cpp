#include "window/read_back_player.h"

#include "speech/speak.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QWidget>

namespace quill {

namespace {
// How often the end of a phrase is looked for: short enough that the next line follows
// without a noticeable gap.
constexpr int kPollMilliseconds = 30;
} // namespace

ReadBackPlayer::ReadBackPlayer(Speech& speech, QWidget* window)
    : QObject(window), speech_(speech), window_(window) {
    poll_.setInterval(kPollMilliseconds);
    connect(&poll_, &QTimer::timeout, this, [this] {
        if (!speech_.playing()) next();
    });
}

void ReadBackPlayer::start(std::vector<ReadBackPhrase> phrases) {
    if (reading_) stop();
    speech_.stop(); // a result phrase of the pass that came just before
    phrases_ = std::move(phrases);
    next_ = 0;
    reading_ = true;
    qApp->installEventFilter(this);
    next();
}

void ReadBackPlayer::stop() {
    if (!reading_) return;
    speech_.stop();
    finish();
}

void ReadBackPlayer::next() {
    if (next_ >= phrases_.size()) {
        finish();
        return;
    }
    const ReadBackPhrase& phrase = phrases_[next_++];
    emit lineReached(phrase.line);
    speech_.say(phrase.text);
    poll_.start();
}

void ReadBackPlayer::finish() {
    poll_.stop();
    // The Esc that stopped the reading is watched until its release.
    if (!swallowingEsc_) qApp->removeEventFilter(this);
    phrases_.clear();
    reading_ = false;
    emit finished();
}

namespace {

// On the way to the View menu's own item, which stops the reading: a modifier held for a menu
// shortcut, and a click on the menu bar.
bool leadsToTheMenu(QEvent* event, QWidget* widget) {
    if (event->type() == QEvent::MouseButtonPress) return qobject_cast<QMenuBar*>(widget);
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta: return true;
    default: return false;
    }
}

} // namespace

// The Esc that stopped the reading does nothing else until it is let go: not its repeats (they
// would clear the tape) and not its release (a key release may start a calculation pass,
// whose result would be spoken).
bool ReadBackPlayer::swallowEsc(QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Escape) return false;
    if (type == QEvent::KeyPress && !key->isAutoRepeat()) {
        swallowingEsc_ = false; // pressed anew: its release was never seen
        if (!reading_) qApp->removeEventFilter(this);
        return false;
    }
    if (type == QEvent::KeyRelease && !key->isAutoRepeat()) {
        swallowingEsc_ = false;
        if (!reading_) qApp->removeEventFilter(this);
    }
    return true;
}

bool ReadBackPlayer::eventFilter(QObject* watched, QEvent* event) {
    if (swallowingEsc_ && swallowEsc(event)) return true;
    const QEvent::Type type = event->type();
    if (!reading_ || (type != QEvent::KeyPress && type != QEvent::MouseButtonPress)) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || !window_ || widget->window() != window_) return false;
    if (leadsToTheMenu(event, widget)) return false;
    // Esc is what people press to silence something; in the sheet it would also clear the
    // whole tape, so the Esc that stops the reading does nothing else. Any other key or click
    // goes on to do what it always does.
    const auto* key = type == QEvent::KeyPress ? static_cast<QKeyEvent*>(event) : nullptr;
    swallowingEsc_ = key && key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier;
    stop();
    return swallowingEsc_;
}

} // namespace quill
