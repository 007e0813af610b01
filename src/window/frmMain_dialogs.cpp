// The two dialogs the main window opens: settings and user-defined formulas.
#include "dialogs/frmFormula.h"
#include "settings/program_folder.h"
#include "window/frmMain.h"
#include "window/window_api.h"

namespace quill {

// Without a window manager nobody gives the keyboard back when a dialog closes: the window
// takes it back itself, unless it closed meanwhile.
void frmMain::takeFocusBack() {
    if (!unloaded_) bringToForeground(this);
}

void frmMain::showFormulaPicker() {
    tag.clear();
    const bool opening = !picker_;
    frmFormula* picker = quill::showFormulaPicker(this, sheet_, picker_, iniPath());
    if (opening) connect(picker, &QDialog::finished, this, &frmMain::takeFocusBack);
}

void frmMain::showFormulaEditor() {
    tag = QStringLiteral("op");
    runFormulaEditor(this, picker_, iniPath());
    takeFocusBack();
}

void frmMain::showSettingsDialog() {
    runSettingsDialog(
        this, currentLook(), iniPath(), [this](const SheetLook& look) { applyLook(look); },
        [this](const VoiceChoice& choice) { return useVoice(choice); });
    // The main window closed while the dialog was open: it must not come back.
    if (unloaded_) return;
    // The font size may have changed the total box's height.
    Form_Resize();
    takeFocusBack();
}

} // namespace quill
