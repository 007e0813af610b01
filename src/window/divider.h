#pragma once
// The divider between the sheet and the results column (pic 1): a one-pixel bar with the
// west-east resize pointer. It reports the gesture; the main window moves it.
#include <QWidget>

namespace quill {

class Divider : public QWidget {
    Q_OBJECT
public:
    explicit Divider(QWidget* parent);

    // The shadow colour while dragged, the face colour otherwise.
    void setDragLook(bool dragging);

signals:
    void dragStarted();
    void dragged(int mouseX); // relative to the divider's left edge, pixels
    void dragEnded();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace quill
