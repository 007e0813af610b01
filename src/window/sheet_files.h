#pragma once
// The sheet as a document: the kept sheet (put back at start-up, written shortly after edits
// and at close), sheet files opened and saved through the file dialogs or dropped on the
// sheet, the question about unsaved edits, and the caption that names the file. The files
// themselves are the document subsystem's; this object wires the sheet box to it and tells
// the window through its signals what to show.
#include "document/sheet_document.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <filesystem>
#include <memory>

class QAction;
class QPlainTextEdit;
class QWidget;

namespace quill {

class BackgroundWriter;

class SheetFiles : public QObject {
    Q_OBJECT
public:
    // `dialogOwner` owns the file dialogs and the question; `keepItem` is the check mark of
    // "計算部を保持(&S)"; `title` is the caption without a file.
    SheetFiles(QPlainTextEdit* sheet, QWidget* dialogOwner, const QAction* keepItem, QString title);
    ~SheetFiles() override;

    const SheetDocument& document() const { return document_; }
    // The name of the sheet file open in the window ("" when none is).
    QString openFileName() const;
    // The title and the file's name ("*" while unsaved).
    QString caption() const;

    // This instance owns the kept sheet: puts it back now (keptSheetRestored follows) and
    // from now on writes it shortly after edits and at close while it is to be kept.
    void takeKeptSheet();
    // A write of the kept sheet soon, unless one is already waiting.
    void keepSoon();
    // Writes the kept sheet, or removes it while it is not to be kept.
    void keepAtClose();

    // Replaces the sheet by a file's text as one undoable edit (sheetReplaced asks for the
    // pass); a file that cannot be read leaves the sheet as it is.
    bool open(const QString& path);
    // Writes the sheet to a file; false when that failed.
    bool save(const QString& path);
    // The file commands. Opening asks first whether to save unsaved edits.
    void openWithDialog();
    bool saveAsWithDialog();
    bool saveToCurrentFile();
    void openDropped(const QStringList& paths);

    // True when the window may close: nothing unsaved, the edits saved, the user chose to
    // leave them (the kept sheet still holds them), or nobody can be asked.
    bool mayClose();
    // The close that follows cannot ask.
    void closeWithoutAsking() { askOnClose_ = false; }

signals:
    void statusMessage(const QString& text);
    void captionChanged();
    // The sheet holds a file's text now; a pass is to show its results before the file is
    // taken as matching the sheet.
    void sheetReplaced();
    // The kept sheet is back; a silent pass is to show its results.
    void keptSheetRestored();
    // A file command ran; the key that ran it (or closed its dialog) has done its work.
    void commandStarted();

private:
    void edited();
    bool keeps() const;
    bool askToSaveEdits();
    QString chooseFile(bool forSaving);

    QPlainTextEdit* sheet_;
    QWidget* dialogOwner_;
    const QAction* keepItem_;
    QString title_;
    SheetDocument document_;
    QTimer keepTimer_;
    std::filesystem::path keptFile_;
    std::unique_ptr<BackgroundWriter> writer_; // only while this instance owns the kept sheet
    bool askOnClose_ = true;
};

} // namespace quill
