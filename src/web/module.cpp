// The JavaScript module of the web edition: the sheet with its incremental calculation pass,
// the phrases and their kana readings, the settings file and the formula list, and sheet
// files. Texts cross as JavaScript strings (UTF-8 on this side), file contents as Uint8Array.
#include "document/sheet_file.h"
#include "engine/jtext.h"
#include "formulas/formula_list.h"
#include "settings/settings.h"
#include "sheet/calculation.h"
#include "sheet/incremental_pass.h"
#include "sheet/result_texts.h"
#include "speech/espeak_text.h"
#include "speech/phrases.h"
#include "speech/read_back.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace quill::web {
namespace {

using emscripten::val;

std::u16string in(const std::string& utf8) {
    return fromUtf8(utf8);
}
std::string out(std::u16string_view text) {
    return toUtf8(text);
}

val bytesOut(std::string_view bytes) {
    const val view(emscripten::typed_memory_view(
        bytes.size(), reinterpret_cast<const unsigned char*>(bytes.data())));
    return view.call<val>("slice"); // a copy: the view dies with `bytes`
}

std::string bytesIn(const val& array) {
    if (array.isUndefined() || array.isNull()) return {};
    const auto v = emscripten::convertJSArrayToNumberVector<unsigned char>(array);
    return std::string(v.begin(), v.end());
}

val lineTexts(const std::vector<NumberedLine>& lines) {
    val list = val::array();
    for (const NumberedLine& l : lines) {
        val item = val::object();
        item.set("line", static_cast<double>(l.line));
        item.set("text", out(l.text));
        list.call<void>("push", item);
    }
    return list;
}

// The kana a voice speaks for a phrase in the speech notation.
std::string reading(const std::string& phrase) {
    return out(espeakText(in(phrase)));
}

// A sheet as the page edits it: its lines, the incremental pass over them, and what the last
// pass showed.
class Sheet : private LineSource {
public:
    Sheet() = default;

    void setText(const std::string& text) {
        lines_ = splitLines(in(text));
        pass_.reset(lines_.size());
        texts_.reset();
    }

    // The lines first..first+removed-1 were replaced by `added` (the editor's change notice).
    void replaceLines(double first, double removed, const val& added) {
        const auto from = std::min(static_cast<size_t>(first), lines_.size());
        const auto count = std::min(static_cast<size_t>(removed), lines_.size() - from);
        std::vector<std::u16string> news;
        for (const std::string& s : emscripten::vecFromJSArray<std::string>(added))
            news.push_back(in(s));
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(from),
                     lines_.begin() + static_cast<std::ptrdiff_t>(from + count));
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(from), news.begin(), news.end());
        pass_.replaceLines(from, count, news.size());
        // A sheet always has a line, as an editor always has one (the pass keeps one too).
        if (lines_.empty()) lines_.emplace_back();
    }

    double lineCount() const { return static_cast<double>(lines_.size()); }
    std::string lineText(double line) const {
        const auto i = static_cast<size_t>(line);
        return i < lines_.size() ? out(lines_[i]) : std::string();
    }
    std::string sheetText() const {
        std::u16string all;
        for (size_t i = 0; i < lines_.size(); ++i) {
            if (i) all += u'\n';
            all += lines_[i];
        }
        return out(all);
    }

    // Runs a pass; the sheet takes over the narrowed lines.
    val calculate(int groupingValue) {
        grouping_ = groupingFromStored(groupingValue);
        PassUpdate update = pass_.run(*this, grouping_);
        texts_.reset();
        for (const NumberedLine& l : update.narrowed)
            if (l.line < lines_.size()) lines_[l.line] = l.text;
        total_ = update.total;
        status_ = update.status;
        val result = val::object();
        result.set("ran", update.ran);
        result.set("wholeColumn", update.wholeColumn);
        val splices = val::array();
        for (const ColumnSplice& s : update.splices) {
            val item = val::object();
            item.set("first", static_cast<double>(s.first));
            item.set("removed", static_cast<double>(s.removed));
            item.set("added", static_cast<double>(s.added));
            splices.call<void>("push", item);
        }
        result.set("splices", splices);
        result.set("lines", lineTexts(update.lines));
        result.set("narrowed", lineTexts(update.narrowed));
        result.set("total", out(update.total));
        result.set("status", out(update.status));
        result.set("phrase", out(update.phrase));
        result.set("reading", out(espeakText(update.phrase)));
        return result;
    }

    // The results column after the last pass, formatted line by line when asked for.
    double resultCount() { return static_cast<double>(texts()->size()); }
    std::string resultText(double line) { return out(texts()->text(static_cast<size_t>(line))); }
    std::string total() const { return out(total_); }
    std::string status() const { return out(status_); }

    // Reading the tape back from the caret's line: each phrase with its kana.
    val readBack(double caretLine) const {
        const ShownTape tape = shownTape(in(sheetText()), grouping_);
        const int first =
            readBackStart(static_cast<int>(caretLine), static_cast<int>(lines_.size()));
        val list = val::array();
        for (const ReadBackPhrase& p : readBackPhrases(tape, first)) {
            val item = val::object();
            item.set("line", p.line);
            item.set("phrase", out(p.text));
            item.set("reading", out(espeakText(p.text)));
            list.call<void>("push", item);
        }
        return list;
    }

private:
    std::u16string text(size_t line) override { return line < lines_.size() ? lines_[line] : u""; }

    static std::vector<std::u16string> splitLines(std::u16string_view text) {
        std::vector<std::u16string> lines(1);
        for (size_t i = 0; i < text.size(); ++i) {
            const char16_t c = text[i];
            if (c != u'\n' && c != u'\r') {
                lines.back() += c;
                continue;
            }
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            lines.emplace_back();
        }
        return lines;
    }

    const std::shared_ptr<const ResultTexts>& texts() {
        if (!texts_) texts_ = pass_.resultTexts();
        return texts_;
    }

    std::vector<std::u16string> lines_{u""};
    IncrementalPass pass_;
    Grouping grouping_ = Grouping::Three;
    std::shared_ptr<const ResultTexts> texts_;
    std::u16string total_, status_;
};

// The settings file, held in the module's memory file system: made from the bytes the page
// kept (empty for a first visit), read and written with the desktop's own rules, and handed
// back as bytes to keep or to export as setting.ini.
class SettingsFile {
public:
    explicit SettingsFile(const val& bytes) : path_(nextPath()) {
        const std::string content = bytesIn(bytes);
        if (!content.empty()) std::ofstream(path_, std::ios::binary) << content;
        settings_ = std::make_unique<Settings>(path_);
    }
    ~SettingsFile() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    SettingsFile(const SettingsFile&) = delete;
    SettingsFile& operator=(const SettingsFile&) = delete;

    val bytes() const {
        std::ifstream file(path_, std::ios::binary);
        return bytesOut(std::string(std::istreambuf_iterator<char>(file), {}));
    }

    int groupingValue() const { return static_cast<int>(settings_->grouping()); }
    bool setGrouping(int value) { return settings_->setGrouping(groupingFromStored(value)); }
    int recalc() const { return static_cast<int>(settings_->recalc()); }
    bool setRecalc(int value) {
        return settings_->setRecalc(value == 1    ? Recalc::OnEnter
                                    : value == -1 ? Recalc::OnEveryInput
                                                  : Recalc::Neither);
    }
    bool talk() const { return settings_->talk(); }
    bool setTalk(bool on) { return settings_->setTalk(on); }
    int fontSize() const { return settings_->fontSize(); }
    bool setFontSizeText(const std::string& text) { return settings_->setFontSizeText(in(text)); }
    double foreColor() const { return settings_->foreColor(); }
    bool setForeColor(double c) { return settings_->setForeColor(static_cast<Colour>(c)); }
    double backColor() const { return settings_->backColor(); }
    bool setBackColor(double c) { return settings_->setBackColor(static_cast<Colour>(c)); }
    double lineColor() const { return settings_->lineColor(); }
    bool setLineColor(double c) { return settings_->setLineColor(static_cast<Colour>(c)); }
    bool underline() const { return settings_->underline(); }
    bool setUnderline(bool on) { return settings_->setUnderline(on); }
    bool statusBar() const { return settings_->statusBar(); }
    bool setStatusBar(bool on) { return settings_->setStatusBar(on); }
    bool keypadHidden() const { return settings_->keypadHidden(); }
    bool setKeypadHidden(bool on) { return settings_->setKeypadHidden(on); }
    int buttonSize() const { return static_cast<int>(settings_->buttonSize()); }
    bool setButtonSize(int size) {
        return settings_->setButtonSize(size == 5 ? ButtonSize::Medium : ButtonSize::Small);
    }
    bool keepSheet() const { return settings_->keepSheet(); }
    bool setKeepSheet(bool on) { return settings_->setKeepSheet(on); }

    val formulas() const {
        val list = val::array();
        for (const Formula& f : readFormulas(*settings_)) {
            val item = val::object();
            item.set("name", out(f.name));
            item.set("text", out(f.text));
            list.call<void>("push", item);
        }
        return list;
    }
    bool setFormulas(const val& list) {
        std::vector<Formula> formulas;
        const auto n = list["length"].as<unsigned>();
        for (unsigned i = 0; i < n; ++i)
            formulas.push_back(
                {in(list[i]["name"].as<std::string>()), in(list[i]["text"].as<std::string>())});
        return writeFormulas(*settings_, formulas);
    }

private:
    static std::filesystem::path nextPath() {
        static unsigned count = 0;
        std::filesystem::create_directories("/settings");
        return "/settings/setting-" + std::to_string(++count) + ".ini";
    }

    std::filesystem::path path_;
    std::unique_ptr<Settings> settings_;
};

std::string keyPhrase(const std::string& group, int index) {
    if (group == "num") return out(numKeyPhrase(index));
    if (group == "op") return out(opKeyPhrase(index));
    if (group == "menu") return out(menuKeyPhrase(index));
    return {};
}

// A whole pass over a text, as quillsum-calc makes it.
val calculateText(const std::string& text, int groupingValue) {
    const PassResult r = calculateSheet(in(text), groupingFromStored(groupingValue));
    val results = val::array();
    for (const std::u16string& line : r.results) results.call<void>("push", out(line));
    val result = val::object();
    result.set("ran", r.ran);
    result.set("sheet", out(r.sheetChanged ? r.sheet : in(text)));
    result.set("results", results);
    result.set("total", out(r.total));
    result.set("status", out(r.status));
    result.set("phrase", out(r.phrase));
    result.set("reading", out(espeakText(r.phrase)));
    return result;
}

// The text of a sheet file's bytes (UTF-8 or code page 932); null when they are not text.
val decodeSheet(const val& bytes) {
    const auto text = decodeSheetBytes(bytesIn(bytes));
    return text ? val(out(*text)) : val::null();
}

val encodeSheet(const std::string& text) {
    return bytesOut(encodeSheetText(in(text)));
}

std::string version() {
    return QUILL_VERSION;
}

} // namespace
} // namespace quill::web

EMSCRIPTEN_BINDINGS(quillsum) {
    using namespace emscripten;
    using namespace quill::web;
    class_<Sheet>("Sheet")
        .constructor<>()
        .function("setText", &Sheet::setText)
        .function("replaceLines", &Sheet::replaceLines)
        .function("lineCount", &Sheet::lineCount)
        .function("lineText", &Sheet::lineText)
        .function("text", &Sheet::sheetText)
        .function("calculate", &Sheet::calculate)
        .function("resultCount", &Sheet::resultCount)
        .function("resultText", &Sheet::resultText)
        .function("total", &Sheet::total)
        .function("status", &Sheet::status)
        .function("readBack", &Sheet::readBack);
    class_<SettingsFile>("Settings")
        .constructor<val>()
        .function("bytes", &SettingsFile::bytes)
        .function("grouping", &SettingsFile::groupingValue)
        .function("setGrouping", &SettingsFile::setGrouping)
        .function("recalc", &SettingsFile::recalc)
        .function("setRecalc", &SettingsFile::setRecalc)
        .function("talk", &SettingsFile::talk)
        .function("setTalk", &SettingsFile::setTalk)
        .function("fontSize", &SettingsFile::fontSize)
        .function("setFontSizeText", &SettingsFile::setFontSizeText)
        .function("foreColor", &SettingsFile::foreColor)
        .function("setForeColor", &SettingsFile::setForeColor)
        .function("backColor", &SettingsFile::backColor)
        .function("setBackColor", &SettingsFile::setBackColor)
        .function("lineColor", &SettingsFile::lineColor)
        .function("setLineColor", &SettingsFile::setLineColor)
        .function("underline", &SettingsFile::underline)
        .function("setUnderline", &SettingsFile::setUnderline)
        .function("statusBar", &SettingsFile::statusBar)
        .function("setStatusBar", &SettingsFile::setStatusBar)
        .function("keypadHidden", &SettingsFile::keypadHidden)
        .function("setKeypadHidden", &SettingsFile::setKeypadHidden)
        .function("buttonSize", &SettingsFile::buttonSize)
        .function("setButtonSize", &SettingsFile::setButtonSize)
        .function("keepSheet", &SettingsFile::keepSheet)
        .function("setKeepSheet", &SettingsFile::setKeepSheet)
        .function("formulas", &SettingsFile::formulas)
        .function("setFormulas", &SettingsFile::setFormulas);
    function("calculateText", &calculateText);
    function("keyPhrase", &keyPhrase);
    function("reading", &reading);
    function("decodeSheet", &decodeSheet);
    function("encodeSheet", &encodeSheet);
    function("version", &version);
}
