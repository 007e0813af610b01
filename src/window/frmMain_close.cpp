// The close sequence and the unload step: the hooks come off, the state that lives in check
// marks and widgets goes back to the settings file in one replace (so an interrupted close
// never leaves half a file), the speech instance is released, and dialogs still open close
// with the window. It runs once, however the window is asked to close, and never refuses.
#include "document/sheet_document.h"
#include "keypad/keypad_panel.h"
#include "settings/program_folder.h"
#include "settings/settings.h"
#include "window/divider.h"
#include "window/frmMain.h"
#include "window/sheet_files.h"
#include "window/window_api.h"

#include <QCloseEvent>
#include <QDialog>

namespace quill {

namespace {

float toTwips(int pixels) {
    return float(pixels * twipsPerPixel);
}

// The state, and the place and size in the normal state only: a minimised or maximised window
// leaves the stored rectangle of its last normal-state exit alone.
WindowPlacement currentPlacement(const QWidget* window) {
    WindowPlacement placement;
    if (window->isMinimized()) {
        placement.state = WindowState::Minimised;
    } else if (window->isMaximized() || window->isFullScreen()) {
        placement.state = WindowState::Maximised;
    } else {
        placement.rect = WindowRect{toTwips(window->x()), toTwips(window->y()),
                                    toTwips(window->width()), toTwips(window->height())};
    }
    return placement;
}

std::vector<ButtonPosition> currentPositions(const KeypadPanel* panel, KeyArray array) {
    std::vector<ButtonPosition> positions;
    for (int index : keyIndices(array)) {
        const TwipPoint at = panel->button(array, index)->twipPos();
        positions.push_back({at.left, at.top});
    }
    return positions;
}

} // namespace

void frmMain::closeEvent(QCloseEvent* event) {
    // Unsaved edits of an opened file are the one thing the user may still keep the window
    // open for; a close nobody can answer for goes on (the kept sheet holds the edits).
    if (!unloaded_ && !files_->mayClose()) {
        event->ignore();
        return;
    }
    Form_Unload();
    QMainWindow::closeEvent(event);
}

void frmMain::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    removeHooks();
    saveSettings();
    stopReadBack();
    // The speech instance goes with the window; a window without one has nothing to release.
    speech_.release();
    closeOpenDialogs();
}

void frmMain::saveSettings() {
    Settings settings(iniPath());
    SettingsBatch batch(settings);
    settings.setStatusBar(menus_.view.isChecked(ViewItem::StatusBar));
    settings.setCentre(menus_.view.isChecked(ViewItem::Centre));
    settings.setAlwaysOnTop(menus_.view.isChecked(ViewItem::OnTop));
    settings.setKeypadHidden(menus_.view.isChecked(ViewItem::HideKeypad));
    settings.setTransparency(windowAlpha_);
    settings.setGrouping(grouping());
    settings.setRecalc(recalcOnEnter()        ? Recalc::OnEnter
                       : recalcOnEveryInput() ? Recalc::OnEveryInput
                                              : Recalc::Neither);
    settings.setTalk(menus_.opt.isChecked(OptItem::Talk));
    settings.setSplit(float(divider_->x()));
    SaveWindowPos(settings, currentPlacement(this));
    settings.setNumPos(currentPositions(keypad_, KeyArray::Num));
    settings.setMenuPos(currentPositions(keypad_, KeyArray::Menu));
    settings.setOpPos(currentPositions(keypad_, KeyArray::Op));
    // Neither size checked leaves the key as it was.
    if (menus_.view.isChecked(ViewItem::SizeSmall)) settings.setButtonSize(ButtonSize::Small);
    if (menus_.view.isChecked(ViewItem::SizeMedium)) settings.setButtonSize(ButtonSize::Medium);
    settings.setKeepSheet(keepsSheet());
    // A refused write (read-only folder or file) is ignored; the state stays in memory.
    batch.commit();
    files_->keepAtClose();
}

// Every dialog of the program descends from the main window; the most recently opened (the
// last one created, a dialog's own dialog before the dialog) closes first.
void frmMain::closeOpenDialogs() {
    const QList<QDialog*> dialogs = findChildren<QDialog*>();
    for (auto it = dialogs.crbegin(); it != dialogs.crend(); ++it)
        if ((*it)->isVisible()) (*it)->close();
}

void frmMain::answerSecondStart() {
    // In move mode the caption is not the one the document gives (the plain title or the
    // title and a file's name), and the second start finds nothing.
    if (unloaded_ || !isDocumentCaption(windowTitle().toStdU16String(), title.toStdU16String()))
        return;
    if (isMinimized() || !isVisible()) showNormal();
    bringToForeground(this);
}

} // namespace quill
