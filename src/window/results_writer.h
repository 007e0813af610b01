#pragma once
// Writes pass results into the results column. Only the lines that differ from what the column
// shows are replaced, so a key typed into a long sheet costs one line, not the whole column;
// the column still always ends up holding exactly the pass's lines.
#include <QObject>
#include <QPlainTextEdit>
#include <string>
#include <vector>

namespace quill {

class ResultsWriter : public QObject {
    Q_OBJECT
public:
    explicit ResultsWriter(QPlainTextEdit* column);

    void show(const std::vector<std::u16string>& lines);
    void clear() { show({}); }

private:
    void rewriteAll(const std::vector<QString>& lines);
    void replaceLines(int first, int oldEnd, const std::vector<QString>& lines, int newEnd);

    QPlainTextEdit* column_;
    std::vector<QString> shown_; // one entry per text block of the column
    bool valid_ = false;         // shown_ matches the column's text
    bool writing_ = false;
};

} // namespace quill
