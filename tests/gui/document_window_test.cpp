// The sheet as a document in the main window: kept across restarts, opened, saved and dropped
// as files, the caption, and the question about unsaved edits at close.
#include "document/sheet_document.h"
#include "main_window_fixture.h"
#include "settings/settings.h"
#include "temp_folder.h"
#include "window/main_menus.h"

#include <QDropEvent>
#include <QFileDialog>
#include <QMimeData>
#include <QStatusBar>
#include <QThread>
#include <QUrl>
#include <functional>
#include <sys/stat.h>

namespace quill::test {
namespace {

namespace fs = std::filesystem;

class DocumentWindow : public MainWindowTest {
protected:
    fs::path keptFile() const { return folder() / "sheet.txt"; }
    QString path(const char* name) const {
        return QString::fromStdString((folder() / name).string());
    }

    // The first instance: it owns the kept sheet.
    frmMain& start(const std::string& ini = "") {
        open(ini);
        w().takeKeptSheet();
        return w();
    }
    frmMain& restart() {
        w().close();
        QCoreApplication::processEvents();
        window_.reset();
        spoken_->clear();
        window_ = std::make_unique<frmMain>(std::make_unique<RecordingSpeech>(spoken_));
        window_->takeKeptSheet();
        window_->show();
        QCoreApplication::processEvents();
        return w();
    }
    // Runs the event loop until `done` holds (the kept sheet is written on a timer and a
    // thread); false when it never does.
    static bool waitUntil(const std::function<bool()>& done) {
        for (int i = 0; i < 1000 && !done(); ++i) {
            QCoreApplication::processEvents();
            QThread::msleep(10);
        }
        return done();
    }
    std::string kept() const { return readBytes(keptFile()); }
    // A drag that enters the sheet and drops there; whether the drop was taken.
    bool dropOnSheet(QMimeData* data) {
        QWidget* target = w().sheet()->viewport();
        const QPointF at(5, 5);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        QDropEvent drop(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &drop);
        QCoreApplication::processEvents();
        return drop.isAccepted();
    }
    QString caption() const { return window_->windowTitle(); }
};

TEST_F(DocumentWindow, a_restart_puts_the_sheet_back_with_results_and_without_a_word) {
    start("Talk=-1\n");
    w().insertText("1,200\n+ 300\n* 2");
    w().calculate();
    restart();
    EXPECT_EQ(sheetText(), "1,200\n+ 300\n* 2");
    EXPECT_EQ(caret(), sheetText().size()) << "caret at the end";
    EXPECT_EQ(total(), "3000");
    EXPECT_EQ(results().count('\n'), 2) << "one result per line";
    EXPECT_TRUE(spoken().empty()) << "putting the sheet back says nothing";
    EXPECT_TRUE(w().mnuOptItem().isChecked(OptItem::Talk)) << "talking stays on";
    EXPECT_EQ(caption(), "Quillsum");
}

TEST_F(DocumentWindow, edits_reach_the_kept_sheet_within_seconds_while_the_window_stays_open) {
    start();
    w().insertText("12\n+ 30");
    ASSERT_TRUE(waitUntil([this] { return kept() == "12\n+ 30\n"; })) << kept();
    w().insertText("\n+ 4");
    ASSERT_TRUE(waitUntil([this] { return kept() == "12\n+ 30\n+ 4\n"; })) << kept();
}

struct KeepRow {
    const char* name;
    bool owner;
    bool uncheck;
    bool keptAfterClose;
};

TEST_F(DocumentWindow, only_the_owner_with_the_option_checked_keeps_the_sheet) {
    const KeepRow rows[] = {
        {"owner, option checked", true, false, true},
        {"owner, option unchecked: the file goes at close", true, true, false},
        {"a later instance never writes it", false, false, false},
    };
    for (const KeepRow& r : rows) {
        SCOPED_TRACE(r.name);
        fs::remove(keptFile());
        open();
        if (r.owner) w().takeKeptSheet();
        w().insertText("7*6");
        if (r.owner) {
            ASSERT_TRUE(waitUntil([this] { return fs::exists(keptFile()); }));
        }
        if (r.uncheck) w().mnuOptItem_Click(OptItem::KeepSheet);
        w().close();
        EXPECT_EQ(fs::exists(keptFile()), r.keptAfterClose);
        EXPECT_EQ(Settings(iniFile()).keepSheet(), !r.uncheck);
        window_.reset();
    }
    // With the option off, a kept sheet left behind is not put back.
    test::writeBytes(keptFile(), "1+1\n");
    start("KeepSheet=0\n");
    EXPECT_EQ(sheetText(), "");
}

TEST_F(DocumentWindow, a_failing_kept_write_keeps_the_old_file_and_says_so_on_the_status_bar) {
    start();
    w().insertText("1");
    ASSERT_TRUE(waitUntil([this] { return kept() == "1\n"; }));
    ::chmod(folder().c_str(), 0555);
    w().insertText("2");
    const bool told = waitUntil([this] { return w().statusText().contains("保存できません"); });
    ::chmod(folder().c_str(), 0755);
    EXPECT_TRUE(told);
    EXPECT_EQ(kept(), "1\n");
    EXPECT_EQ(sheetText(), "12") << "the sheet is untouched";
}

struct EncodingRow {
    const char* name;
    std::string bytes;
};

TEST_F(DocumentWindow, files_in_either_encoding_open_as_one_undo_step_and_save_as_utf8) {
    const EncodingRow rows[] = {
        {"UTF-8", "\xE5\xAE\xB6\xE8\xA8\x88\xE7\xB0\xBF\n1,200\n+ 300\n"},
        {"code page 932", "\x89\xC6\x8C\x76\x95\xEB\r\n1,200\r\n+ 300\r\n"},
    };
    for (const EncodingRow& r : rows) {
        SCOPED_TRACE(r.name);
        const fs::path file = folder() / "家計簿.txt";
        test::writeBytes(file, r.bytes);
        start();
        setSheet("9");
        ASSERT_TRUE(w().openSheetFile(QString::fromStdString(file.string())));
        EXPECT_EQ(sheetText(), "家計簿\n1,200\n+ 300");
        EXPECT_EQ(caption(), "Quillsum - 家計簿.txt");
        EXPECT_TRUE(w().statusText().contains("家計簿.txt"));

        w().insertText("\n+ 5");
        EXPECT_EQ(caption(), "Quillsum - 家計簿.txt*");
        ASSERT_TRUE(w().saveToCurrentFile());
        EXPECT_EQ(readBytes(file), "家計簿\n1,200\n+ 300\n+ 5\n");
        EXPECT_EQ(caption(), "Quillsum - 家計簿.txt");

        w().sheet()->undo();
        w().sheet()->undo();
        EXPECT_EQ(sheetText(), "9") << "the open is one undo step";
        window_.reset();
    }
}

struct BadFileRow {
    const char* name;
    std::function<QString(const fs::path&)> make;
    const char* reason;
};

TEST_F(DocumentWindow, a_file_that_cannot_be_read_changes_nothing_and_says_why) {
    const BadFileRow rows[] = {
        {"missing",
         [](const fs::path& f) { return QString::fromStdString((f / "no.txt").string()); },
         "見つかりません"},
        {"folder",
         [](const fs::path& f) {
             fs::create_directory(f / "box.txt");
             return QString::fromStdString((f / "box.txt").string());
         },
         "フォルダ"},
        {"not text",
         [](const fs::path& f) {
             test::writeBytes(f / "a.png", std::string("\x89PNG\0\0", 6));
             return QString::fromStdString((f / "a.png").string());
         },
         "テキストファイルではない"},
        {"larger than 64 MB",
         [](const fs::path& f) {
             test::writeBytes(f / "big.txt", "1");
             fs::resize_file(f / "big.txt", 64u * 1024 * 1024 + 1);
             return QString::fromStdString((f / "big.txt").string());
         },
         "大きすぎる"},
    };
    start();
    const fs::path opened = folder() / "opened.txt";
    test::writeBytes(opened, "5\n");
    ASSERT_TRUE(w().openSheetFile(QString::fromStdString(opened.string())));
    w().insertText("+1");
    for (const BadFileRow& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_FALSE(w().openSheetFile(r.make(folder())));
        EXPECT_EQ(sheetText(), "5+1");
        EXPECT_EQ(caption(), "Quillsum - opened.txt*") << "still the file that was open";
        EXPECT_TRUE(w().statusText().contains(r.reason)) << w().statusText().toStdString();
    }
}

struct CloseRow {
    const char* name;
    QMessageBox::StandardButton answer;
    bool closes;
    const char* fileAfter;
};

TEST_F(DocumentWindow, closing_with_unsaved_edits_asks_and_the_kept_sheet_holds_them_anyway) {
    const CloseRow rows[] = {
        {"保存する", QMessageBox::Save, true, "10\n+ 1\n"},
        {"保存しない", QMessageBox::Discard, true, "10\n"},
        {"キャンセル", QMessageBox::Cancel, false, "10\n"},
    };
    for (const CloseRow& r : rows) {
        SCOPED_TRACE(r.name);
        const fs::path file = folder() / "tape.txt";
        test::writeBytes(file, "10\n");
        fs::remove(keptFile());
        start();
        ASSERT_TRUE(w().openSheetFile(QString::fromStdString(file.string())));
        w().insertText("\n+ 1");
        answerMessageBox(r.answer);
        w().close();
        QCoreApplication::processEvents();
        EXPECT_TRUE(lastMessageText().contains("tape.txt"));
        EXPECT_EQ(w().isVisible(), !r.closes);
        EXPECT_EQ(readBytes(file), r.fileAfter);
        if (r.closes) {
            EXPECT_EQ(kept(), "10\n+ 1\n");
        }
        window_.reset();
    }
    // A close nobody can answer for (a quit signal) asks nothing.
    start();
    ASSERT_TRUE(w().openSheetFile(path("tape.txt")));
    w().insertText("+ 2");
    w().closeWithoutAsking();
    EXPECT_FALSE(w().isVisible());
}

TEST_F(DocumentWindow, unsaved_edits_are_not_lost_to_another_file_or_a_failed_save) {
    test::writeBytes(folder() / "a.txt", "1\n");
    test::writeBytes(folder() / "b.txt", "2\n");
    start();
    ASSERT_TRUE(w().openSheetFile(path("a.txt")));
    w().insertText("0");

    // Opening another file asks first; キャンセル keeps the edits under their own file.
    answerMessageBox(QMessageBox::Cancel);
    QMimeData file;
    file.setUrls({QUrl::fromLocalFile(path("b.txt"))});
    dropOnSheet(&file);
    EXPECT_EQ(sheetText(), "10");
    EXPECT_EQ(caption(), "Quillsum - a.txt*");

    // 保存する at close with a file that cannot be written keeps the window open.
    ::chmod((folder() / "a.txt").c_str(), 0444);
    answerMessageBox(QMessageBox::Save);
    w().close();
    QCoreApplication::processEvents();
    ::chmod((folder() / "a.txt").c_str(), 0644);
    EXPECT_TRUE(w().isVisible());
    EXPECT_TRUE(w().statusText().contains("保存できません")) << w().statusText().toStdString();
    EXPECT_EQ(readBytes(folder() / "a.txt"), "1\n");
    w().closeWithoutAsking();
}

// The release of the key that ran a file command (or closed its dialog) starts no pass: the
// pass's "計算が完了しました" hid what the command said, a failed save among it. The next key
// pressed in the sheet recalculates as before.
TEST_F(DocumentWindow, a_file_command_key_leaves_what_the_command_said_on_the_status_bar) {
    struct QtDialogs {
        QtDialogs() { QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, true); }
        ~QtDialogs() { QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, false); }
    } qtDialogs;
    const fs::path place = folder() / "files";
    const QString tape = QString::fromStdString((place / "tape.txt").string());
    const auto ctrlS = [](QWidget* sheet) {
        QTest::keyClick(sheet, Qt::Key_S, Qt::ControlModifier);
    };
    const auto ctrlUpFirst = [](QWidget* sheet) {
        QTest::keyPress(sheet, Qt::Key_S, Qt::ControlModifier);
        sendKey(sheet, QEvent::KeyRelease, Qt::Key_Control);
        sendKey(sheet, QEvent::KeyRelease, Qt::Key_S);
    };
    const struct {
        const char* name;
        const char* recalc;
        bool folderGone;
        std::function<void(QWidget*)> command;
        const char* status;
    } rows[] = {
        {"Ctrl+S saved", "-1", false, ctrlS, "tape.txt に保存しました"},
        {"Ctrl+S failed", "-1", true, ctrlS, "保存できませんでした：tape.txt"},
        {"Ctrl let go before S", "-1", true, ctrlUpFirst, "保存できませんでした：tape.txt"},
        {"Enter in the save dialog", "1", false,
         [this](QWidget* sheet) {
             expectModal([](QWidget* dialog) {
                 // The name offered is the file's own.
                 ASSERT_NE(qobject_cast<QFileDialog*>(dialog), nullptr);
                 static_cast<QDialog*>(dialog)->done(QDialog::Accepted);
             });
             w().mnuEditItem_Click(EditItem::SaveAs);
             sendKey(sheet, QEvent::KeyRelease, Qt::Key_Return);
         },
         "tape.txt に保存しました"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        fs::create_directories(place);
        test::writeBytes(place / "tape.txt", "1\n");
        start(std::string("ReCalc=") + row.recalc + "\n");
        ASSERT_TRUE(w().openSheetFile(tape));
        w().insertText("+2");
        w().calculate();
        if (row.folderGone) {
            fs::remove_all(place);
            test::writeBytes(place, "a file where the folder was");
        }
        w().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
        row.command(w().sheet());
        QCoreApplication::processEvents(); // a pass the release would have started
        EXPECT_EQ(w().statusText(), QString::fromUtf8(row.status));

        QTest::keyClick(w().sheet(), Qt::Key_F5);
        QCoreApplication::processEvents();
        EXPECT_EQ(w().statusText(), "計算が完了しました") << "the next key counts again";
        w().closeWithoutAsking();
        window_.reset();
        fs::remove_all(place);
    }
}

TEST_F(DocumentWindow, a_later_start_finds_the_window_with_a_file_open_but_not_in_move_mode) {
    test::writeBytes(folder() / "a.txt", "1\n");
    for (bool moveMode : {false, true}) {
        SCOPED_TRACE(moveMode ? "move mode" : "file open");
        start();
        ASSERT_TRUE(w().openSheetFile(path("a.txt")));
        w().insertText("2");
        if (moveMode) w().mnuViewItem_Click(ViewItem::MoveMode);
        w().showMinimized();
        QCoreApplication::processEvents();
        w().answerSecondStart();
        EXPECT_EQ(w().isMinimized(), moveMode);
        if (moveMode) {
            w().mnuViewItem_Click(ViewItem::MoveMode);
            EXPECT_EQ(caption(), "Quillsum - a.txt*") << "leaving move mode names the file again";
        }
        w().closeWithoutAsking();
        window_.reset();
    }
}

TEST_F(DocumentWindow, a_dropped_file_opens_and_a_dropped_text_is_still_inserted) {
    test::writeBytes(folder() / "drop.txt", "3*4\n");
    start();
    setSheet("1");
    QMimeData file;
    file.setUrls({QUrl::fromLocalFile(path("drop.txt"))});
    file.setText(path("drop.txt"));
    EXPECT_TRUE(dropOnSheet(&file));
    EXPECT_EQ(sheetText(), "3*4");
    EXPECT_EQ(caption(), "Quillsum - drop.txt");

    QMimeData text;
    text.setText("5");
    dropOnSheet(&text);
    EXPECT_TRUE(sheetText().contains("5")) << "a text drop is the sheet's own";
    EXPECT_TRUE(sheetText().contains("3*4"));
}

TEST_F(DocumentWindow, save_as_asks_for_a_name_and_ctrl_s_then_saves_there) {
    // Qt's own dialog, whatever the desktop offers, so that the test can answer it.
    struct QtDialogs {
        QtDialogs() { QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, true); }
        ~QtDialogs() { QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, false); }
    } qtDialogs;
    start();
    setSheet("1+2");
    auto answerFileDialog = [this](const QString& name) {
        expectModal([name](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            ASSERT_NE(dialog, nullptr);
            if (name.isEmpty()) return dialog->reject();
            // Typed into the name field, as a user would.
            auto* nameField = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(nameField, nullptr);
            nameField->setText(name);
            static_cast<QDialog*>(dialog)->accept(); // the dialog's own checks run
        });
    };
    answerFileDialog(path("tax"));
    ASSERT_TRUE(w().saveToCurrentFile()) << "the first time asks for a name";
    EXPECT_EQ(readBytes(folder() / "tax.txt"), "1+2\n") << ".txt added";
    EXPECT_EQ(caption(), "Quillsum - tax.txt");

    w().insertText("+3");
    // Ctrl+S saves where the file is, without the question the menu item asks.
    w().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
    QTest::keyClick(w().sheet(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(readBytes(folder() / "tax.txt"), "1+2+3\n");

    answerFileDialog({});
    w().mnuEditItem_Click(EditItem::SaveAs);
    EXPECT_EQ(caption(), "Quillsum - tax.txt") << "a cancelled save-as changes nothing";

    test::writeBytes(folder() / "other.txt", "8\n");
    answerFileDialog(path("other.txt"));
    w().mnuEditItem_Click(EditItem::Open);
    EXPECT_EQ(sheetText(), "8");
    EXPECT_EQ(caption(), "Quillsum - other.txt");
}

} // namespace
} // namespace quill::test
