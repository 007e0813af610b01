// The window's side of the sheet as a document: the file keys and the caption. The files, the
// kept sheet and the question about unsaved edits are the SheetFiles object's.
#include "window/frmMain.h"
#include "window/sheet_files.h"
#include "window/sheet_loading.h"

#include <QPlainTextEdit>
#include <QShortcut>

namespace quill {

void frmMain::connectDocument() {
    files_ = new SheetFiles(sheet_, this, menus_.opt.at(OptItem::KeepSheet), title);
    connect(files_, &SheetFiles::statusMessage, this, &frmMain::setStatusText);
    connect(files_, &SheetFiles::captionChanged, this, &frmMain::updateCaption);
    connect(files_, &SheetFiles::sheetReplaced, this, &frmMain::calculate);
    connect(files_, &SheetFiles::keptSheetRestored, this, [this] {
        // Putting the sheet back is no news: the pass shows the results and total silently.
        const bool talking = speech_.talking();
        speech_.setTalking(false);
        calculate();
        speech_.setTalking(talking);
    });
    // The file commands say on the status bar how they went; the release of the key that ran
    // them (or closed their dialog) must not start a pass that writes over it.
    connect(files_, &SheetFiles::commandStarted, this, [this] { commandKeyUp_ = true; });

    menus_.edit.at(EditItem::Open)->setShortcut(QKeySequence::Open);
    // The menu item always asks for a name; the key saves to the file that is open.
    QAction* saveAs = menus_.edit.at(EditItem::SaveAs);
    saveAs->setShortcut(QKeySequence::Save);
    saveAs->setShortcutContext(Qt::WidgetShortcut);
    new QShortcut(QKeySequence::Save, this, [this] { saveToCurrentFile(); });
    limitSheet(sheet_, [this](const QString& why) { setStatusText(why); });
}

const SheetDocument& frmMain::document() const {
    return files_->document();
}

QString frmMain::openFileName() const {
    return files_->openFileName();
}

void frmMain::updateCaption() {
    if (moveMode()) return;
    const QString caption = files_->caption();
    if (windowTitle() != caption) setWindowTitle(caption);
}

void frmMain::takeKeptSheet() {
    files_->takeKeptSheet();
}
bool frmMain::openSheetFile(const QString& path) {
    return files_->open(path);
}
bool frmMain::saveSheetFile(const QString& path) {
    return files_->save(path);
}
void frmMain::openWithDialog() {
    files_->openWithDialog();
}
bool frmMain::saveAsWithDialog() {
    return files_->saveAsWithDialog();
}
bool frmMain::saveToCurrentFile() {
    return files_->saveToCurrentFile();
}

void frmMain::closeWithoutAsking() {
    files_->closeWithoutAsking();
    close();
}

} // namespace quill
