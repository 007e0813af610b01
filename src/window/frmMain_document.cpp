// The sheet as a document: the kept sheet (put back at start-up, written shortly after edits
// and at close), sheet files opened and saved through the file dialogs or dropped on the
// sheet, the question about unsaved edits at close, and the caption that names the file.
// The files themselves are the document subsystem's; this file only wires the window to it.
#include "document/kept_sheet.h"
#include "document/sheet_document.h"
#include "settings/atomic_file.h"
#include "widgets/file_paths.h"
#include "widgets/sheet_box.h"
#include "window/frmMain.h"
#include "window/sheet_loading.h"

#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QUrl>

namespace quill {

namespace {

// The kept sheet is written this long after the first edit it does not hold yet, however
// fast the typing goes on: a crash or a power cut loses at most these seconds.
constexpr int kKeepDelayMs = 2000;

QString fileNameOf(const QString& path) {
    return fromPath(toPath(path).filename());
}

// Local files dragged from a file manager; a text dragged from elsewhere is left to the sheet.
QStringList droppedFiles(const QMimeData* data) {
    QStringList files;
    if (!data || !data->hasUrls()) return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) files << url.toLocalFile();
    return files;
}

class FileDrop : public QObject {
public:
    using Open = std::function<void(const QStringList&)>;
    FileDrop(QWidget* target, Open open) : QObject(target), open_(std::move(open)) {
        target->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDropEvent*>(event);
            if (droppedFiles(drag->mimeData()).isEmpty()) return false;
            drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QStringList files = droppedFiles(drop->mimeData());
            if (files.isEmpty()) return false;
            drop->acceptProposedAction();
            // The file manager waits for the drop to finish; the question about unsaved
            // edits and the reading come after.
            QMetaObject::invokeMethod(
                this, [this, files] { open_(files); }, Qt::QueuedConnection);
            return true;
        }
        default: return false;
        }
    }

private:
    Open open_;
};

} // namespace

struct frmMain::DocumentParts {
    SheetDocument document;
    QTimer keepTimer;
    std::filesystem::path keptFile;
    std::unique_ptr<BackgroundWriter> writer; // only while this instance owns the kept sheet
    bool askOnClose = true;
};

void frmMain::DocumentPartsDeleter::operator()(DocumentParts* parts) const {
    delete parts;
}

void frmMain::connectDocument() {
    document_.reset(new DocumentParts);
    document_->keepTimer.setSingleShot(true);
    document_->keepTimer.setInterval(kKeepDelayMs);
    connect(&document_->keepTimer, &QTimer::timeout, this, [this] {
        if (document_->writer && keepsSheet())
            document_->writer->submit(sheet_->toPlainText().toStdU16String());
    });
    connect(sheet_->document(), &QTextDocument::contentsChange, this,
            [this](int, int removed, int added) {
                if (removed != 0 || added != 0) sheetEdited();
            });

    menus_.edit.at(kEditItemOpen)->setShortcut(QKeySequence::Open);
    // The menu item always asks for a name; the key saves to the file that is open.
    QAction* saveAs = menus_.edit.at(kEditItemSaveAs);
    saveAs->setShortcut(QKeySequence::Save);
    saveAs->setShortcutContext(Qt::WidgetShortcut);
    new QShortcut(QKeySequence::Save, this, [this] { saveToCurrentFile(); });

    new FileDrop(sheet_->viewport(), [this](const QStringList& files) { dropFiles(files); });
    limitSheet(static_cast<SheetBox*>(sheet_), [this](const QString& why) { setStatusText(why); });
}

const SheetDocument& frmMain::document() const {
    return document_->document;
}

void frmMain::updateCaption() {
    if (moveMode()) return;
    const QString caption =
        QString::fromStdU16String(document_->document.caption(title.toStdU16String()));
    if (windowTitle() != caption) setWindowTitle(caption);
}

void frmMain::sheetEdited() {
    if (!document_->document.unsaved()) {
        document_->document.edited();
        updateCaption();
    }
    keepSheetSoon();
}

void frmMain::keepSheetSoon() {
    if (document_->writer && keepsSheet() && !document_->keepTimer.isActive())
        document_->keepTimer.start();
}

QString frmMain::openFileName() const {
    const auto& file = document_->document.file();
    return file ? fromPath(file->filename()) : QString();
}

void frmMain::takeKeptSheet() {
    document_->keptFile = keptSheetPath();
    document_->writer = std::make_unique<BackgroundWriter>(document_->keptFile, [this](bool ok) {
        if (ok) return;
        QMetaObject::invokeMethod(
            this,
            [this] {
                setStatusText(QStringLiteral("計算部を保持用のファイルに保存できませんでした"));
            },
            Qt::QueuedConnection);
    });
    if (!keepsSheet()) return;
    const KeptSheetLoad kept = loadKeptSheet(document_->keptFile, kWindowSheetLimits);
    if (kept.error != SheetReadError::None) {
        const QString tooLarge =
            kept.error == SheetReadError::TooLarge
                ? QString::fromStdU16String(tooLargeText(u"", kept.bytes, kept.lines))
                : QString();
        setStatusText(QStringLiteral("前回の計算部を読み込めませんでした（%1 に移しました）%2")
                          .arg(fromPath(kept.setAside.filename()), tooLarge));
        return;
    }
    if (kept.text.empty()) return;
    sheet_->setPlainText(QString::fromStdU16String(kept.text));
    sheet_->moveCursor(QTextCursor::End);
    // Putting the sheet back is no news: the pass shows the results and total silently.
    const bool talking = speech_.talking();
    speech_.setTalking(false);
    calculate();
    speech_.setTalking(talking);
    document_->keepTimer.stop(); // the file already holds this text
}

void frmMain::keepSheetAtClose() {
    if (!document_->writer) return;
    document_->keepTimer.stop();
    document_->writer->wait();
    const std::filesystem::path& file = document_->keptFile;
    // Failures are left alone: the old file stays whole, and the window is going.
    if (keepsSheet())
        writeKeptSheet(file, sheet_->toPlainText().toStdU16String());
    else
        forgetKeptSheet(file);
}

bool frmMain::openSheetFile(const QString& path) {
    const std::filesystem::path file = toPath(path);
    removeStaleTemporaries(file.parent_path());
    const SheetRead read = readSheetFile(file, kWindowSheetLimits);
    if (!read.ok()) {
        const std::u16string name = fileNameOf(path).toStdU16String();
        setStatusText(QString::fromStdU16String(read.error == SheetReadError::TooLarge
                                                    ? tooLargeText(name, read.bytes, read.lines)
                                                    : readErrorText(read.error, name)));
        return false;
    }
    // One undo step takes the whole file back out.
    replaceSheetText(sheet_, QString::fromStdU16String(read.text), [this] { calculate(); });
    // The sheet holds the file's text; the pass only narrowed what it shows.
    document_->document.matches(file);
    updateCaption();
    setStatusText(QStringLiteral("%1 を開きました").arg(fileNameOf(path)));
    return true;
}

bool frmMain::saveSheetFile(const QString& path) {
    const std::filesystem::path file = toPath(path);
    if (!writeSheetFile(file, sheet_->toPlainText().toStdU16String())) {
        setStatusText(QStringLiteral("保存できませんでした：%1").arg(fileNameOf(path)));
        return false;
    }
    document_->document.matches(file);
    updateCaption();
    setStatusText(QStringLiteral("%1 に保存しました").arg(fileNameOf(path)));
    return true;
}

QString frmMain::chooseSheetFile(bool forSaving) {
    const auto& current = document_->document.file();
    QFileDialog dialog(this,
                       forSaving ? QStringLiteral("名前を付けて保存") : QStringLiteral("開く"),
                       current ? fromPath(current->parent_path()) : QDir::homePath(),
                       QStringLiteral("テキストファイル (*.txt);;すべてのファイル (*)"));
    dialog.setAcceptMode(forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(forSaving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (forSaving) {
        dialog.setDefaultSuffix(QStringLiteral("txt"));
        if (current) dialog.selectFile(fromPath(*current));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

// The file commands say on the status bar how they went; the release of the key that ran
// them (or closed their dialog) must not start a pass that writes over it.
void frmMain::openWithDialog() {
    commandKeyUp_ = true;
    if (!askToSaveEdits()) return;
    const QString path = chooseSheetFile(false);
    if (!path.isEmpty()) openSheetFile(path);
}

bool frmMain::saveAsWithDialog() {
    commandKeyUp_ = true;
    const QString path = chooseSheetFile(true);
    return !path.isEmpty() && saveSheetFile(path);
}

bool frmMain::saveToCurrentFile() {
    commandKeyUp_ = true;
    const auto& current = document_->document.file();
    return current ? saveSheetFile(fromPath(*current)) : saveAsWithDialog();
}

void frmMain::dropFiles(const QStringList& paths) {
    if (paths.isEmpty() || !askToSaveEdits()) return;
    openSheetFile(paths.constFirst());
}

// True when the window may go on: nothing unsaved, the edits saved, or the user chose to
// leave them (the kept sheet still holds them).
bool frmMain::askToSaveEdits() {
    if (!document_->document.unsaved()) return true;
    QMessageBox box(QMessageBox::Question, title,
                    QStringLiteral("%1 への変更を保存しますか？")
                        .arg(QString::fromStdU16String(document_->document.fileName())),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.button(QMessageBox::Save)->setText(QStringLiteral("保存する"));
    box.button(QMessageBox::Discard)->setText(QStringLiteral("保存しない"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("キャンセル"));
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save: return saveToCurrentFile();
    case QMessageBox::Discard: return true;
    default: return false;
    }
}

bool frmMain::mayClose() {
    return !document_->askOnClose || askToSaveEdits();
}

void frmMain::closeWithoutAsking() {
    document_->askOnClose = false;
    close();
}

} // namespace quill
