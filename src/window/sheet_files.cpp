#include "window/sheet_files.h"

#include "document/kept_sheet.h"
#include "document/sheet_file.h"
#include "settings/atomic_file.h"
#include "widgets/file_paths.h"
#include "window/sheet_loading.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>

namespace quill {

namespace {

// The kept sheet is written this long after the first edit it does not hold yet, however
// fast the typing goes on: a crash or a power cut loses at most these seconds.
constexpr int kKeepDelayMs = 2000;

QString fileNameOf(const QString& path) {
    return fromPath(toPath(path).filename());
}

} // namespace

SheetFiles::SheetFiles(QPlainTextEdit* sheet, QWidget* dialogOwner, const QAction* keepItem,
                       QString title)
    : QObject(dialogOwner), sheet_(sheet), dialogOwner_(dialogOwner), keepItem_(keepItem),
      title_(std::move(title)) {
    keepTimer_.setSingleShot(true);
    keepTimer_.setInterval(kKeepDelayMs);
    connect(&keepTimer_, &QTimer::timeout, this, [this] {
        if (writer_ && keeps()) writer_->submit(sheet_->toPlainText().toStdU16String());
    });
    connect(sheet_->document(), &QTextDocument::contentsChange, this,
            [this](int, int removed, int added) {
                if (removed != 0 || added != 0) edited();
            });
}

SheetFiles::~SheetFiles() = default;

bool SheetFiles::keeps() const {
    return keepItem_->isChecked();
}

QString SheetFiles::openFileName() const {
    const auto& file = document_.file();
    return file ? fromPath(file->filename()) : QString();
}

QString SheetFiles::caption() const {
    return QString::fromStdU16String(document_.caption(title_.toStdU16String()));
}

void SheetFiles::edited() {
    if (!document_.unsaved()) {
        document_.edited();
        emit captionChanged();
    }
    keepSoon();
}

void SheetFiles::keepSoon() {
    if (writer_ && keeps() && !keepTimer_.isActive()) keepTimer_.start();
}

void SheetFiles::takeKeptSheet() {
    keptFile_ = keptSheetPath();
    writer_ = std::make_unique<BackgroundWriter>(keptFile_, [this](bool ok) {
        if (ok) return;
        QMetaObject::invokeMethod(
            this,
            [this] {
                emit statusMessage(
                    QStringLiteral("計算部を保持用のファイルに保存できませんでした"));
            },
            Qt::QueuedConnection);
    });
    if (!keeps()) return;
    const KeptSheetLoad kept = loadKeptSheet(keptFile_, kWindowSheetLimits);
    if (kept.error != SheetReadError::None) {
        const QString tooLarge =
            kept.error == SheetReadError::TooLarge
                ? QString::fromStdU16String(tooLargeText(u"", kept.bytes, kept.lines))
                : QString();
        emit statusMessage(QStringLiteral("前回の計算部を読み込めませんでした（%1 に移しました）%2")
                               .arg(fromPath(kept.setAside.filename()), tooLarge));
        return;
    }
    if (kept.text.empty()) return;
    sheet_->setPlainText(QString::fromStdU16String(kept.text));
    sheet_->moveCursor(QTextCursor::End);
    emit keptSheetRestored();
    keepTimer_.stop(); // the file already holds this text
}

void SheetFiles::keepAtClose() {
    if (!writer_) return;
    keepTimer_.stop();
    writer_->wait();
    // Failures are left alone: the old file stays whole, and the window is going.
    if (keeps())
        writeKeptSheet(keptFile_, sheet_->toPlainText().toStdU16String());
    else
        forgetKeptSheet(keptFile_);
}

bool SheetFiles::open(const QString& path) {
    const std::filesystem::path file = toPath(path);
    removeStaleTemporaries(file.parent_path());
    const SheetRead read = readSheetFile(file, kWindowSheetLimits);
    if (!read.ok()) {
        const std::u16string name = fileNameOf(path).toStdU16String();
        emit statusMessage(QString::fromStdU16String(
            read.error == SheetReadError::TooLarge ? tooLargeText(name, read.bytes, read.lines)
                                                   : readErrorText(read.error, name)));
        return false;
    }
    // One undo step takes the whole file back out.
    replaceSheetText(sheet_, QString::fromStdU16String(read.text),
                     [this] { emit sheetReplaced(); });
    // The sheet holds the file's text; the pass only narrowed what it shows.
    document_.matches(file);
    emit captionChanged();
    emit statusMessage(QStringLiteral("%1 を開きました").arg(fileNameOf(path)));
    return true;
}

bool SheetFiles::save(const QString& path) {
    const std::filesystem::path file = toPath(path);
    if (!writeSheetFile(file, sheet_->toPlainText().toStdU16String())) {
        emit statusMessage(QStringLiteral("保存できませんでした：%1").arg(fileNameOf(path)));
        return false;
    }
    document_.matches(file);
    emit captionChanged();
    emit statusMessage(QStringLiteral("%1 に保存しました").arg(fileNameOf(path)));
    return true;
}

QString SheetFiles::chooseFile(bool forSaving) {
    const auto& current = document_.file();
    QFileDialog dialog(dialogOwner_,
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

void SheetFiles::openWithDialog() {
    emit commandStarted();
    if (!askToSaveEdits()) return;
    const QString path = chooseFile(false);
    if (!path.isEmpty()) open(path);
}

bool SheetFiles::saveAsWithDialog() {
    emit commandStarted();
    const QString path = chooseFile(true);
    return !path.isEmpty() && save(path);
}

bool SheetFiles::saveToCurrentFile() {
    emit commandStarted();
    const auto& current = document_.file();
    return current ? save(fromPath(*current)) : saveAsWithDialog();
}

void SheetFiles::openDropped(const QStringList& paths) {
    if (paths.isEmpty() || !askToSaveEdits()) return;
    open(paths.constFirst());
}

bool SheetFiles::askToSaveEdits() {
    if (!document_.unsaved()) return true;
    QMessageBox box(QMessageBox::Question, title_,
                    QStringLiteral("%1 への変更を保存しますか？")
                        .arg(QString::fromStdU16String(document_.fileName())),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, dialogOwner_);
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

bool SheetFiles::mayClose() {
    return !askOnClose_ || askToSaveEdits();
}

} // namespace quill
