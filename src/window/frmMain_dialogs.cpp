// The two dialogs the main window opens: settings and user-defined formulas.
#include "dialogs/frmFormula.h"
#include "settings/program_folder.h"
#include "window/frmMain.h"
#include "window/window_api.h"

namespace quill {

void frmMain::showFormulaPicker() {
    tag.clear();
    quill::showFormulaPicker(this, sheet_, picker_, iniPath());
}

void frmMain::showFormulaEditor() {
    tag = QStringLiteral("op");
    runFormulaEditor(this, picker_, iniPath());
}

void frmMain::showSettingsDialog() {
    runSettingsDialog(
        this, currentLook(), iniPath(), [this](const SheetLook& look) { applyLook(look); },
        [this](const VoiceChoice& choice) { return useVoice(choice); });
    // The main window closed while the dialog was open: it must not come back.
    if (unloaded_) return;
    // The font size may have changed the total box's height.
    Form_Resize();
    bringToForeground(this);
}

} // namespace quill
