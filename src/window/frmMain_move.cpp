// Button move mode and the reset to the default places.
#include "keypad/keypad_panel.h"
#include "window/frmMain.h"

#include <QMessageBox>

namespace quill {

void frmMain::showMoveMode(bool on) {
    if (on) {
        setWindowTitle(title + QStringLiteral(" (ボタン移動モード)"));
        setStatusText(QStringLiteral("ボタン移動モードを終了する場合は、もう一度メニューの"
                                     "「ボタン移動モード」を選択して下さい"));
    } else {
        setWindowTitle(title);
        updateCaption();
    }
    keypad_->setMoveModeLook(on);
}

void frmMain::confirmAndResetPositions() {
    QMessageBox box(QMessageBox::Question, title,
                    QStringLiteral("ボタン配置をデフォルトに戻します。\nよろしいですか？"),
                    QMessageBox::Ok | QMessageBox::Cancel, this);
    if (box.exec() != QMessageBox::Ok) return;
    keypad_->resetPositions();
}

} // namespace quill
