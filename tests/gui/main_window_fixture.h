#pragma once
// A main window for a test: its own program folder and settings, the speech it would play
// recorded instead of played, shown on the offscreen platform.
#include "gui_fixture.h"
#include "keypad/keypad_button.h"
#include "keypad/keypad_panel.h"
#include "widgets/results_column.h"
#include "window/frmMain.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <memory>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

namespace quill::test {

class RecordingSpeech : public SpeechOutput {
public:
    explicit RecordingSpeech(std::shared_ptr<std::vector<std::u16string>> log)
        : log_(std::move(log)) {}
    void play(std::u16string_view phrase) override { log_->emplace_back(phrase); }

private:
    std::shared_ptr<std::vector<std::u16string>> log_;
};

class MainWindowTest : public GuiTest {
protected:
    void TearDown() override {
        window_.reset();
        GuiTest::TearDown();
    }

    // Creates and shows the window; `ini` is written to setting.ini first (section Calc).
    // An invalid size keeps the size the settings gave.
    frmMain& open(const std::string& ini = "", QSize size = QSize(640, 480)) {
        writeIni("[Calc]\n" + ini);
        window_ = std::make_unique<frmMain>(std::make_unique<RecordingSpeech>(spoken_));
        if (size.isValid()) window_->resize(size);
        window_->show();
        QCoreApplication::processEvents();
        return *window_;
    }
    frmMain& w() { return *window_; }

    // Sets the sheet text without any key event, caret at `caret` (-1: end) or selecting
    // anchor..caret.
    void setSheet(const QString& text, int caret = -1, int anchor = -1) {
        window_->sheet()->setPlainText(text);
        select(caret < 0 ? int(text.size()) : caret, anchor);
    }
    void select(int caret, int anchor = -1) {
        QTextCursor c = window_->sheet()->textCursor();
        c.setPosition(anchor < 0 ? caret : anchor);
        c.setPosition(caret, QTextCursor::KeepAnchor);
        window_->sheet()->setTextCursor(c);
    }
    QString sheetText() const { return window_->sheet()->toPlainText(); }
    int caret() const { return window_->sheet()->textCursor().position(); }
    QString results() const { return window_->resultsColumn()->toPlainText(); }
    QString total() const { return window_->totalBox()->text(); }

    void click(KeypadButton* button) {
        QTest::mouseClick(button, Qt::LeftButton);
        QCoreApplication::processEvents(); // posted keys arrive
    }
    // A key of any array, for tables that mix them.
    using AnyKey = std::variant<NumKey, OpKey, MenuKey>;
    KeypadButton* button(AnyKey key) const {
        return std::visit(
            [this](auto k) -> KeypadButton* {
                if constexpr (std::is_same_v<decltype(k), NumKey>)
                    return window_->cmdNum(k);
                else if constexpr (std::is_same_v<decltype(k), OpKey>)
                    return window_->cmdOp(k);
                else
                    return window_->cmdMenu(k);
            },
            key);
    }
    // A key event straight to a widget (QTest's helpers assert on keys without ASCII), and
    // what it started once the waiting events are handled.
    static void sendKey(QWidget* target, QEvent::Type type, int key,
                        Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                        const QString& text = QString(), bool autoRepeat = false) {
        QKeyEvent event(type, key, modifiers, text, autoRepeat);
        QCoreApplication::sendEvent(target, &event);
        QCoreApplication::processEvents();
    }

    // Talking on, so that phrases reach the recording.
    void talk() {
        if (!window_->mnuOptItem().isChecked(OptItem::Talk))
            window_->mnuOptItem_Click(OptItem::Talk);
        spoken_->clear();
    }
    const std::vector<std::u16string>& spoken() const { return *spoken_; }

    std::shared_ptr<std::vector<std::u16string>> spoken_ =
        std::make_shared<std::vector<std::u16string>>();
    std::unique_ptr<frmMain> window_;
};

} // namespace quill::test
