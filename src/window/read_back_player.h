#pragma once
// Plays the phrases of a reading back one after another through the window's speech instance,
// announcing each line before its phrase so that the window can show it. Any key or mouse
// press in the window stops it at once; the key or click then does what it always does,
// except Esc, which only stops it (its repeats and its release included).
// Qt's headers come first: moc cannot read the standard library's concepts header, which the
// engine's headers bring in, unless Qt's own headers have set it up.
#include <QObject>
#include <QPointer>
#include <QTimer>

#include "speech/read_back.h"

#include <vector>

class QWidget;

namespace quill {

class Speech;

class ReadBackPlayer : public QObject {
    Q_OBJECT
public:
    // `window`: key and mouse presses inside it stop the reading.
    ReadBackPlayer(Speech& speech, QWidget* window);

    // Stops what is being read and starts reading `phrases` from the first.
    void start(std::vector<ReadBackPhrase> phrases);
    // Cuts off the phrase being spoken; nothing more is read. finished() follows.
    void stop();
    bool reading() const { return reading_; }

signals:
    // A phrase is about to be spoken: the line it reads (kTotalPhraseLine for the total).
    void lineReached(int line);
    // The last phrase has been spoken, or the reading was stopped.
    void finished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void next();
    void finish();
    bool swallowEsc(QEvent* event);

    Speech& speech_;
    QPointer<QWidget> window_;
    QTimer poll_;
    std::vector<ReadBackPhrase> phrases_;
    size_t next_ = 0;
    bool reading_ = false;
    bool swallowingEsc_ = false; // the Esc that stopped the reading is still held
};

} // namespace quill
