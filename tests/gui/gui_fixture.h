#pragma once
// Shared fixture of the widget tests. The test main runs them on the offscreen platform; the
// fixture gives every test its own temporary program folder (so setting.ini, ReadMe.txt and
// the like are the test's own), and a guard that answers the modal dialogs a test expects and
// fails the test for any other one, closing it so that nothing hangs.
#include "settings/program_folder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>

// GoogleTest would print a failing QString as raw bytes.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace quill::test {

// Watches for modal dialogs while a test runs. Expected ones are handed, in order, to the
// answers the test queued; any other one fails the test and is closed.
class ModalGuard : public QObject {
public:
    using Answer = std::function<void(QWidget*)>;

    ModalGuard() {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] { poll(); });
        timer_.start();
    }

    void expect(Answer answer) { answers_.push_back(std::move(answer)); }
    size_t pendingAnswers() const { return answers_.size(); }

    // Fails for a dialog still open at the end of the test.
    void finish() {
        timer_.stop();
        if (QWidget* modal = QApplication::activeModalWidget()) {
            ADD_FAILURE() << "test left a modal dialog open: "
                          << modal->windowTitle().toStdString();
            close(modal);
        }
    }

private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == handled_) return;
        // A progress dialog (a long file going into the sheet) asks nothing and closes itself.
        if (qobject_cast<QProgressDialog*>(modal)) return;
        handled_ = modal;
        if (answers_.empty()) {
            ADD_FAILURE() << "unexpected modal dialog: " << modal->windowTitle().toStdString();
            close(modal);
            return;
        }
        Answer answer = std::move(answers_.front());
        answers_.pop_front();
        answer(modal);
    }
    static void close(QWidget* modal) {
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    }

    QTimer timer_;
    std::deque<Answer> answers_;
    // A dialog is answered once; a later one may reuse a closed dialog's address.
    QPointer<QWidget> handled_;
};

class GuiTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        folder_.emplace(std::filesystem::path(dir_.path().toStdString()));
    }
    void TearDown() override {
        guard_.finish();
        EXPECT_EQ(guard_.pendingAnswers(), 0u) << "an expected modal dialog never appeared";
    }

    std::filesystem::path folder() const {
        return std::filesystem::path(dir_.path().toStdString());
    }
    std::filesystem::path iniFile() const { return folder() / "setting.ini"; }

    // Starts setting.ini with the given lines (UTF-8), e.g. writeIni("[Calc]\nketa=3\n").
    void writeIni(const std::string& text) const {
        QFile file(QString::fromStdString(iniFile().string()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.data(), qint64(text.size()));
    }

    // The next modal dialog is handed to `answer`.
    void expectModal(ModalGuard::Answer answer) { guard_.expect(std::move(answer)); }
    // The next modal dialog must be a message box; the given button of it is clicked.
    void answerMessageBox(QMessageBox::StandardButton button) {
        expectModal([button](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (!box) {
                ADD_FAILURE() << "expected a message box, got " << w->metaObject()->className();
                w->close();
                return;
            }
            lastMessage_ = box->text();
            if (QAbstractButton* b = box->button(button))
                b->click();
            else
                box->reject();
        });
    }
    // The text of the last message box answered with answerMessageBox.
    static QString lastMessageText() { return lastMessage_; }

private:
    QTemporaryDir dir_;
    std::optional<ScopedProgramFolder> folder_;
    ModalGuard guard_;
    static inline QString lastMessage_;
};

} // namespace quill::test
