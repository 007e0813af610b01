// The printed tape: its layout rules on every page, the PDF text of a long tape in order, and
// `quillsum --pdf` without a window.
#include "document/sheet_file.h"
#include "gui_fixture.h"
#include "main_window_fixture.h"
#include "printing/print_dialog.h"
#include "printing/printed_tape.h"
#include "printing/tape_layout.h"
#include "printing/tape_painter.h"
#include "window/main_menus.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <fstream>

namespace quill::test {
namespace {

const QDateTime kPrintedAt(QDate(2026, 12, 7), QTime(9, 5));

// Line i of a long tape: a tape entry whose text and result are both found only once.
QString tapeLine(int i) {
    static const char* const ops[] = {"", "- ", "* ", "/ "};
    return i == 0 ? QStringLiteral("1000") : QStringLiteral("%1%2").arg(ops[i % 4]).arg(i + 1);
}

QString longTape(int lines) {
    QStringList text;
    for (int i = 0; i < lines; ++i) text << tapeLine(i);
    return text.join(QLatin1Char('\n'));
}

QString withoutBlanks(QString s) {
    return s.remove(QRegularExpression(QStringLiteral("\\s")));
}

// pdftotext -layout of a PDF file; fails the test when the tool is missing.
QString pdfText(const QString& pdf) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty()) {
        ADD_FAILURE() << "pdftotext (poppler-utils) is needed";
        return {};
    }
    QProcess p;
    p.start(tool, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

class PrintedTapeTest : public GuiTest {
protected:
    QString pdfPath(const char* name) const {
        return QString::fromStdString((folder() / name).string());
    }
};

struct PageParts {
    std::vector<const PlacedText*> body, header, footer;
    qreal headerRule = 0, lowestRule = 0;
};

PageParts partsOf(const TapePage& page, qreal pageHeight) {
    PageParts parts;
    if (!page.rules.empty()) {
        auto [top, bottom] =
            std::minmax_element(page.rules.begin(), page.rules.end(),
                                [](const QLineF& a, const QLineF& b) { return a.y1() < b.y1(); });
        parts.headerRule = top->y1();
        parts.lowestRule = bottom->y1();
    }
    for (const PlacedText& t : page.texts) {
        if (t.rect.top() == 0)
            parts.header.push_back(&t);
        else if (t.rect.bottom() >= pageHeight - 0.5)
            parts.footer.push_back(&t);
        else
            parts.body.push_back(&t);
    }
    return parts;
}

TEST_F(PrintedTapeTest, every_page_has_its_header_and_number_and_every_result_its_line) {
    const QString longLine = QStringLiteral("1+2").repeated(60);
    const QString pageLongLine =
        QStringLiteral("5\nLEN(\"") + QStringLiteral("ab ").repeated(4000) + QStringLiteral("\")");
    struct Row {
        const char* name;
        QString sheet;
        int minPages;
        int maxPages;
    };
    const Row rows[] = {
        {"one short line", QStringLiteral("12"), 1, 1},
        {"blank lines keep their rows", QStringLiteral("1\n\n\n2"), 1, 1},
        {"150 lines flow over pages", longTape(150), 3, 5},
        {"a long line wraps inside its column",
         QStringLiteral("5\n") + longLine + QStringLiteral("\n- 1"), 1, 1},
        {"a line longer than a page continues on the next", pageLongLine, 3, 10},
        {"a failed line prints without a result", QStringLiteral("1\n1/0\n2"), 1, 1},
    };
    QPdfWriter writer(pdfPath("layout.pdf"));
    setTapePageLayout(writer);
    const TapeFonts fonts = tapeFonts();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const PrintedTape tape =
            printedTape(row.sheet, Grouping::None, QStringLiteral("家計簿.txt"), kPrintedAt);
        const std::vector<TapePage> pages = layTapeOut(tape, fonts, &writer);
        const int count = int(pages.size());
        EXPECT_GE(count, row.minPages);
        EXPECT_LE(count, row.maxPages);

        QString leftText;
        for (int p = 0; p < count; ++p) {
            const PageParts parts = partsOf(pages[size_t(p)], writer.height());
            ASSERT_EQ(parts.header.size(), 2u) << "page " << p + 1;
            EXPECT_EQ(parts.header[0]->text, QStringLiteral("Quillsum  家計簿.txt"));
            EXPECT_EQ(parts.header[1]->text, QStringLiteral("2026/12/07 09:05"));
            ASSERT_EQ(parts.footer.size(), 1u);
            EXPECT_EQ(parts.footer[0]->text, QStringLiteral("%1 / %2").arg(p + 1).arg(count));
            for (const PlacedText* t : parts.body) {
                EXPECT_GT(t->rect.top(), parts.headerRule)
                    << "body text under the header's rule: " << t->text.toStdString();
                if (t->align & Qt::AlignLeft) {
                    leftText += t->text;
                    continue;
                }
                // A result sits on the first row of its line.
                const bool besideItsLine =
                    std::any_of(parts.body.begin(), parts.body.end(), [&](const PlacedText* l) {
                        return (l->align & Qt::AlignLeft) && l->rect.top() == t->rect.top();
                    });
                EXPECT_TRUE(besideItsLine) << t->text.toStdString();
            }
        }
        // Every line, whole and in order (wrapped rows joined), then the total's label.
        EXPECT_EQ(withoutBlanks(leftText),
                  withoutBlanks(tape.lines.join(QString())) + QStringLiteral("合計"));
        const TapePage& last = pages.back();
        ASSERT_EQ(last.rules.size(), 2u) << "the header's rule and the total's";
        const qreal totalRule = partsOf(last, writer.height()).lowestRule;
        EXPECT_TRUE(std::any_of(last.texts.begin(), last.texts.end(), [&](const PlacedText& t) {
            return t.text == tape.total && t.font->bold() && t.rect.top() > totalRule;
        })) << "the total in bold under its rule";
    }
}

TEST_F(PrintedTapeTest, pdf_of_150_lines_holds_every_line_result_total_and_page_number_in_order) {
    const QString sheet = longTape(150);
    const PrintedTape tape = printedTape(sheet, Grouping::Three, QString(), kPrintedAt);
    ASSERT_TRUE(writeTapePdf(tape, pdfPath("tape.pdf")));
    const QString text = pdfText(pdfPath("tape.pdf"));
    ASSERT_FALSE(text.isEmpty());

    // Pages are separated by form feeds; each page's rows must come in order.
    const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    const int count = int(pages.size());
    ASSERT_GE(count, 3);
    int line = 0;
    for (int p = 0; p < count; ++p) {
        const QString& page = pages[p];
        EXPECT_TRUE(page.contains(QStringLiteral("%1 / %2").arg(p + 1).arg(count)))
            << "page " << p + 1;
        EXPECT_TRUE(page.contains(QStringLiteral("2026/12/07 09:05")));
        for (const QString& row : page.split(QLatin1Char('\n'))) {
            if (line >= tape.lines.size()) break;
            const QString expected = tape.lines[line];
            if (!row.startsWith(expected + QLatin1Char(' '))) continue;
            EXPECT_TRUE(row.trimmed().endsWith(tape.results[line]))
                << "line " << line << ": " << row.toStdString();
            ++line;
        }
    }
    EXPECT_EQ(line, tape.lines.size()) << "every line found in order; stopped at line " << line;
    const QString lastPage = pages.back();
    const qsizetype totalAt = lastPage.indexOf(QStringLiteral("合計"));
    ASSERT_GE(totalAt, 0);
    EXPECT_TRUE(
        lastPage.mid(totalAt).section(QLatin1Char('\n'), 0, 0).trimmed().endsWith(tape.total))
        << "the total beside its label";
}

// Search, copy and screen readers read the PDF's text layer: it holds the tape's own
// characters, not the radical signs the font draws with the same glyphs.
TEST_F(PrintedTapeTest, pdf_text_layer_holds_the_characters_of_the_tape) {
    const QStringList rows = {
        QStringLiteral("長い見出し 金額 色 食費 一二三 高"), // kanji that share a radical's glyph
        QStringLiteral("\"走る 入力 立つ 言う 門 雨 風 龍\""),
        QStringLiteral("\"ひらがな カタカナ ｶﾀｶﾅ ABC 123\""),
        QStringLiteral("\"⾒ 見\""), // beside its kanji, the glyph stands for the kanji
    };
    const PrintedTape tape = printedTape(rows.join(QLatin1Char('\n')), Grouping::None,
                                         QStringLiteral("見出し.txt"), kPrintedAt);
    ASSERT_TRUE(writeTapePdf(tape, pdfPath("kanji.pdf")));
    const QString text = pdfText(pdfPath("kanji.pdf"));
    EXPECT_TRUE(text.contains(QStringLiteral("見出し.txt"))) << "the header";
    for (const QString& line : tape.lines.mid(0, 3)) {
        SCOPED_TRACE(line.toStdString());
        EXPECT_TRUE(text.contains(line)) << text.toStdString();
    }
    for (char16_t radical = 0x2E80; radical < 0x2FE0; ++radical)
        if (text.contains(QChar(radical)))
            ADD_FAILURE() << "a radical sign U+" << std::hex << int(radical);
}

// The print dialog comes from the print module, loaded on the first print.
class PrintItemTest : public MainWindowTest {
protected:
    void TearDown() override {
        setPrintModuleFolder(QStringLiteral(QUILL_PRINT_MODULE_FOLDER));
        MainWindowTest::TearDown();
    }
};

TEST_F(PrintItemTest, the_last_edit_item_opens_the_print_dialog_and_cancelling_changes_nothing) {
    setPrintModuleFolder(QStringLiteral(QUILL_PRINT_MODULE_FOLDER));
    open();
    QAction* item = w().mnuEditItem().at(EditItem::Print);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(w().mnuEditItem().menu->actions().last(), item) << "at the end of the Edit menu";
    EXPECT_EQ(item->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    const std::filesystem::path file = folder() / "sheets" / "売上.2026.txt";
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << "1\n+ 2\n";
    // "Print to file" suggests the open file's name with .pdf, beside it.
    const struct {
        bool fileOpen;
        QString suggested; // empty: not the open file's
    } rows[] = {{false, QString()},
                {true, QString::fromStdString((folder() / "sheets" / "売上.2026.pdf").string())}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.fileOpen);
        if (row.fileOpen) {
            ASSERT_TRUE(w().openSheetFile(QString::fromStdString(file.string())));
        } else {
            setSheet(QStringLiteral("1\n+ 2"));
        }
        w().setStatusText(QString());
        bool sawPrintDialog = false;
        QString suggested;
        expectModal([&](QWidget* dialog) {
            sawPrintDialog = qobject_cast<QPrintDialog*>(dialog) != nullptr;
            EXPECT_EQ(dialog->windowTitle(), QStringLiteral("印刷"));
            if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("filename")))
                suggested = name->text();
            static_cast<QDialog*>(dialog)->reject();
        });
        item->trigger();
        EXPECT_TRUE(sawPrintDialog);
        if (row.fileOpen)
            EXPECT_EQ(suggested, row.suggested);
        else
            EXPECT_FALSE(suggested.contains(QStringLiteral("売上")));
        EXPECT_EQ(sheetText(), QStringLiteral("1\n+ 2"));
        EXPECT_TRUE(w().statusText().isEmpty()) << w().statusText().toStdString();
    }
}

// Printing to a file through the dialog gives the PDF the same text layer as quillsum --pdf.
TEST_F(PrintItemTest, printing_to_a_pdf_file_keeps_the_characters_of_the_tape) {
    setPrintModuleFolder(QStringLiteral(QUILL_PRINT_MODULE_FOLDER));
    open();
    setSheet(QStringLiteral("\"長い見出し 金額 色 食費 一二三 高\""));
    const QString pdf = QString::fromStdString((folder() / "printed.pdf").string());
    expectModal([&](QWidget* dialog) {
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
        ASSERT_NE(name, nullptr);
        name->setText(pdf);
        static_cast<QDialog*>(dialog)->accept();
    });
    w().mnuEditItem().at(EditItem::Print)->trigger();
    ASSERT_TRUE(QFileInfo::exists(pdf)) << "no printer here but the PDF file";
    EXPECT_TRUE(pdfText(pdf).contains(QStringLiteral("長い見出し 金額 色 食費 一二三 高")));
}

// Without the print module (a broken install) printing says it failed; nothing else changes.
TEST_F(PrintItemTest, without_the_print_module_printing_reports_the_failure) {
    QTemporaryDir empty;
    setPrintModuleFolder(empty.path());
    open();
    setSheet(QStringLiteral("1\n+ 2"));
    w().mnuEditItem().at(EditItem::Print)->trigger();
    EXPECT_EQ(w().statusText(), QStringLiteral("印刷できませんでした"));
    EXPECT_EQ(sheetText(), QStringLiteral("1\n+ 2"));
}

#ifdef QUILLSUM_PROGRAM

// The desktop program asked for a PDF: no window, no display, no settings written.
TEST_F(PrintedTapeTest, pdf_command_renders_without_a_display_and_writes_no_settings) {
    writeIni("[Calc]\nketa=3\n");
    const QString ini = QString::fromStdString(iniFile().string());
    const QByteArray iniBefore = [&] {
        QFile f(ini);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    const QString sheetFile = QString::fromStdString((folder() / "売上.txt").string());
    {
        QFile f(sheetFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("1234567\r\n+ 1000\r\n");
    }
    // Kept out of the program folder, whose files are counted below.
    std::filesystem::create_directories(folder() / "other");
    const QString binaryFile = QString::fromStdString((folder() / "other" / "image.txt").string());
    {
        QFile f(binaryFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("1 + 2\n\0\x89PNG", 11));
    }
    // Larger than the window reads, without taking the disk space.
    const QString hugeFile = QString::fromStdString((folder() / "other" / "huge.txt").string());
    std::ofstream(hugeFile.toStdString()).flush();
    std::filesystem::resize_file(hugeFile.toStdString(),
                                 std::uintmax_t(kMaxSheetFileBytes) + (std::uintmax_t(1) << 20));
    const QString out = pdfPath("out.pdf");
    struct Row {
        const char* name;
        QStringList args;
        int exitCode;
        bool written;
        const char* says = ""; // on standard error: the same reason quillsum-calc gives
    };
    const Row rows[] = {
        {"no file", {"--pdf", out}, 2, false},
        {"one argument too many", {"--pdf", out, sheetFile, sheetFile}, 2, false},
        {"a missing file", {"--pdf", out, sheetFile + "-gone"}, 1, false, "no such file"},
        {"a folder to read",
         {"--pdf", out, QString::fromStdString(folder().string())},
         1,
         false,
         "it is a folder"},
        {"a file that is no text",
         {"--pdf", out, binaryFile},
         1,
         false,
         "is not text (UTF-8 or code page 932)"},
        {"a file larger than the window reads",
         {"--pdf", out, hugeFile},
         1,
         false,
         "quillsum-calc reads up to 256 MB"},
        {"a folder to write",
         {"--pdf", QString::fromStdString(folder().string()), sheetFile},
         1,
         false,
         "cannot write"},
        {"a sheet file", {"--pdf", out, sheetFile}, 0, true},
    };
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    env.insert("QUILL_PROGRAM_FOLDER", QString::fromStdString(folder().string()));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QFile::remove(out);
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(QUILLSUM_PROGRAM), row.args);
        ASSERT_TRUE(p.waitForFinished(30000));
        const QString err = QString::fromLocal8Bit(p.readAllStandardError());
        EXPECT_EQ(p.exitCode(), row.exitCode) << err.toStdString();
        EXPECT_EQ(QFileInfo::exists(out), row.written);
        EXPECT_TRUE(err.contains(QString::fromUtf8(row.says))) << err.toStdString();
        EXPECT_LE(err.count(QLatin1Char('\n')), 1) << err.toStdString();
    }
    QFile f(ini);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), iniBefore) << "the settings file is left as it was";
    EXPECT_EQ(QDir(QString::fromStdString(folder().string())).entryList(QDir::Files).size(), 3)
        << "nothing but the settings, the sheet and the PDF are in the program folder";

    const QString text = pdfText(out);
    EXPECT_TRUE(text.contains(QStringLiteral("売上.txt"))) << "the file's name in the header";
    EXPECT_TRUE(text.contains(QStringLiteral("1,234,567"))) << "the saved grouping applies";
    EXPECT_TRUE(text.contains(QStringLiteral("1,235,567")));
}

#endif

} // namespace
} // namespace quill::test
