#include "dialogs/frmSet.h"

#include "dialogs/dialog_buttons.h"
#include "dialogs/frmSetColor.h"
#include "widgets/colours.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProxyStyle>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

namespace quill {

namespace {

// Client area of the dialog: 5055 x 2670 twips at 15 twips per pixel.
constexpr int kClientWidth = 337;
constexpr int kClientHeight = 178;

constexpr ButtonText<SetButton> kButtons[] = {
    {SetButton::Ok, u"OK", u"設定を保存して閉じる"},
    {SetButton::Apply, u"適用", u"設定を保存"},
    {SetButton::Cancel, u"キャンセル", u"設定を保存せず閉じる"},
    {SetButton::ForeColour, u"文字色", u"文字色の設定を行います"},
    {SetButton::BackColour, u"背景色", u"背景色の設定を行います"},
    {SetButton::LineColour, u"設定", u"色の設定を行います"},
};

// The field shows a size as a whole number, halves going to the even neighbour (10.5 -> 10).
QString wholeSizeText(double points) {
    return QString::number(static_cast<long long>(std::nearbyint(points)));
}

// The field's text as written to the file: blanks trimmed, full-width digits made ASCII.
QString normalisedSizeText(const QString& text) {
    return text.normalized(QString::NormalizationForm_KC).trimmed();
}

// The closing row keeps its own order, OK 適用 キャンセル, whatever order the desktop's style
// would give a button box (Windows puts Apply last, GNOME puts OK last).
class ClosingRowStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_DialogButtonLayout) return QDialogButtonBox::KdeLayout;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// "#000080": the colour a stored value shows as now.
QString colourName(Colour colour) {
    return resolveColour(colour, QApplication::palette()).name().toUpper();
}

// Shows a stored colour; a system colour reference follows the desktop's palette.
void paint(QWidget* w, QPalette::ColorRole role, Colour colour) {
    QPalette p = w->palette();
    p.setColor(role, resolveColour(colour, QApplication::palette()));
    w->setPalette(p);
}

} // namespace

std::optional<double> fontSizeFromText(const QString& text) {
    // Only plain decimals: the stored text is read back by its leading whole number, so
    // forms like "1e1" would come back as another size.
    static const QRegularExpression plain(QStringLiteral("^[0-9]+(\\.[0-9]*)?$"));
    const QString t = normalisedSizeText(text);
    if (!plain.match(t).hasMatch()) return std::nullopt;
    bool ok = false;
    const double points = QLocale::c().toDouble(t, &ok);
    if (!ok || points < 1 || points > Settings::kMaxFontSize) return std::nullopt;
    return points;
}

frmSet::ColourChooser frmSet::ShowColorDialogChooser() {
    return [](QWidget* owner, Colour initial) { return ShowColorDialog(owner, initial); };
}

frmSet::frmSet(const SheetLook& current, std::filesystem::path iniFile, QWidget* owner,
               ColourChooser chooser)
    : QDialog(owner), iniFile_(std::move(iniFile)), chooser_(std::move(chooser)) {
    setWindowTitle(QStringLiteral("設定"));
    buildControls();
    load(current);
}

void frmSet::buildControls() {
    makeDialogButtons(kButtons, this, buttons_);
    // Return presses OK from anywhere but a button.
    cmdMenu(SetButton::Ok)->setDefault(true);
    // Its caption is the dialog's title; a screen reader needs to hear which colour it sets.
    cmdMenu(SetButton::LineColour)->setAccessibleName(QStringLiteral("下線の色を設定"));

    chkPI_ = new QCheckBox(QStringLiteral("複数同時起動を可能にする"), this);
    chkPI_->setObjectName(QStringLiteral("chkPI"));
    chkPI_->setToolTip(
        QStringLiteral("チェックを入れるとQuillsumを複数ウィンドウで起動させることができます"));
    chk_ = new QCheckBox(QStringLiteral("カーソル行の下線"), this);
    chk_->setObjectName(QStringLiteral("chk"));
    chk_->setToolTip(QStringLiteral("チェックを入れるとカーソル行に下線を表示します"));

    preview_ = new QLineEdit(QStringLiteral("プレビュー"), this);
    preview_->setObjectName(QStringLiteral("txt_0"));
    preview_->setReadOnly(true);
    preview_->setFocusPolicy(Qt::NoFocus);
    preview_->setAccessibleName(QStringLiteral("色"));

    swatch_ = new QFrame(this);
    swatch_->setObjectName(QStringLiteral("pic"));
    swatch_->setFrameShape(QFrame::Box);
    swatch_->setAutoFillBackground(true);
    swatch_->setMinimumSize(40, 18);
    swatch_->setAccessibleName(QStringLiteral("カーソル行の下線"));

    cboOption_ = new QComboBox(this);
    cboOption_->setObjectName(QStringLiteral("cboOption"));
    cboOption_->setEditable(true);
    cboOption_->setInsertPolicy(QComboBox::NoInsert);
    cboOption_->setToolTip(QStringLiteral("記録を行うテキストボックスのフォントサイズ"));
    cboOption_->setAccessibleName(QStringLiteral("文字サイズ"));

    auto* sizeLabel = new QLabel(QStringLiteral("文字サイズ"), this);
    sizeLabel->setObjectName(QStringLiteral("Label1_5"));
    sizeLabel->setBuddy(cboOption_);
    auto* colourLabel = new QLabel(QStringLiteral("色"), this);
    colourLabel->setObjectName(QStringLiteral("Label1_0"));

    auto* group = new QGroupBox(QStringLiteral("テキストボックス"), this);
    auto* grid = new QGridLayout(group);
    grid->addWidget(sizeLabel, 0, 0);
    grid->addWidget(cboOption_, 0, 1);
    grid->addWidget(colourLabel, 1, 0);
    grid->addWidget(preview_, 1, 1);
    grid->addWidget(cmdMenu(SetButton::ForeColour), 1, 2);
    grid->addWidget(cmdMenu(SetButton::BackColour), 1, 3);
    grid->addWidget(chk_, 2, 0);
    grid->addWidget(swatch_, 2, 1);
    grid->addWidget(cmdMenu(SetButton::LineColour), 2, 2);
    grid->setColumnStretch(1, 1);

    auto* closing = new QDialogButtonBox(this);
    closing->addButton(cmdMenu(SetButton::Ok), QDialogButtonBox::AcceptRole);
    closing->addButton(cmdMenu(SetButton::Apply), QDialogButtonBox::ApplyRole);
    closing->addButton(cmdMenu(SetButton::Cancel), QDialogButtonBox::RejectRole);
    // Made after the box and owned by the dialog, so that it outlives the box.
    auto* closingStyle = new ClosingRowStyle;
    closingStyle->setParent(this);
    closing->setStyle(closingStyle);

    auto* column = new QVBoxLayout(this);
    column->addWidget(chkPI_);
    column->addWidget(group);
    voice_ = new VoiceGroup(Settings(iniFile_), this);
    column->addWidget(voice_);
    column->addWidget(closing);
    setMinimumSize(kClientWidth, kClientHeight);

    // The keyboard starts on the first control and goes from top to bottom, the voice's
    // controls after the text boxes', the three closing buttons last (the buttons are made
    // first, so the default order starts with them).
    QWidget* order[] = {chkPI_,
                        cboOption_,
                        cmdMenu(SetButton::ForeColour),
                        cmdMenu(SetButton::BackColour),
                        chk_,
                        cmdMenu(SetButton::LineColour),
                        voice_->speed(),
                        voice_->volume(),
                        voice_->pitch(),
                        voice_->output(),
                        voice_->trySample(),
                        cmdMenu(SetButton::Ok),
                        cmdMenu(SetButton::Apply),
                        cmdMenu(SetButton::Cancel)};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
    chkPI_->setFocus();

    connect(closing, &QDialogButtonBox::accepted, this, [this] {
        apply();
        accept();
    });
    connect(cmdMenu(SetButton::Apply), &QPushButton::clicked, this, &frmSet::apply);
    connect(closing, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(cmdMenu(SetButton::ForeColour), &QPushButton::clicked, this,
            [this] { chooseColour(fore_); });
    connect(cmdMenu(SetButton::BackColour), &QPushButton::clicked, this,
            [this] { chooseColour(back_); });
    connect(cmdMenu(SetButton::LineColour), &QPushButton::clicked, this,
            [this] { chooseColour(line_); });
}

void frmSet::load(const SheetLook& current) {
    chkPI_->setChecked(Settings(iniFile_).severalInstances());
    back_ = current.back;
    fore_ = current.fore;
    line_ = current.lineColor;
    chk_->setChecked(current.underline);
    if (QWidget* owner = parentWidget()) setWindowIcon(owner->windowIcon());
    cboOption_->addItems({"8", "9", "10", "11", "12", "14"});
    fontSize_ = current.fontSize;
    sizeText_ = wholeSizeText(current.fontSize);
    cboOption_->setCurrentText(sizeText_);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    showPending();
}

void frmSet::chooseColour(Colour& target) {
    if (!chooser_) return;
    if (std::optional<Colour> chosen = chooser_(this, target)) {
        target = *chosen;
        showPending();
    }
}

void frmSet::showPending() {
    paint(preview_, QPalette::Base, back_);
    paint(preview_, QPalette::Text, fore_);
    paint(swatch_, QPalette::Window, line_);
    // The colours by name, for those who cannot see them.
    preview_->setAccessibleName(
        QStringLiteral("文字色 %1、背景色 %2").arg(colourName(fore_), colourName(back_)));
    swatch_->setAccessibleName(QStringLiteral("下線の色 %1").arg(colourName(line_)));
}

SheetLook frmSet::pending() const {
    SheetLook look;
    look.back = back_;
    look.fore = fore_;
    look.fontSize = fontSizeFromText(cboOption_->currentText()).value_or(fontSize_);
    look.underline = chk_->isChecked();
    look.lineColor = line_;
    return look;
}

void frmSet::apply() {
    const std::optional<double> size = fontSizeFromText(cboOption_->currentText());
    if (size) {
        fontSize_ = *size;
        sizeText_ = normalisedSizeText(cboOption_->currentText());
    }
    cboOption_->setCurrentText(sizeText_);
    writeKeys(size.has_value());
    emit applied(pending());
    emit voiceApplied(voice_->choice());
}

// The keys in Apply's order, stored as one replace of the file.
void frmSet::writeKeys(bool withFontSize) const {
    Settings settings(iniFile_);
    SettingsBatch batch(settings);
    settings.setSeveralInstances(chkPI_->isChecked());
    settings.setBackColor(back_);
    settings.setForeColor(fore_);
    settings.setUnderline(chk_->isChecked());
    settings.setLineColor(line_);
    if (withFontSize) settings.setFontSizeText(sizeText_.toStdU16String());
    voice_->write(settings);
    batch.commit();
}

void runSettingsDialog(QWidget* owner, const SheetLook& current, const std::filesystem::path& ini,
                       const std::function<void(const SheetLook&)>& applyLook,
                       const VoiceApplier& applyVoice) {
    frmSet dialog(current, ini, owner);
    QObject::connect(&dialog, &frmSet::applied, &dialog, [&applyLook](const SheetLook& look) {
        if (applyLook) applyLook(look);
    });
    QObject::connect(&dialog, &frmSet::voiceApplied, &dialog,
                     [&applyVoice, &dialog](const VoiceChoice& choice) {
                         if (applyVoice) dialog.voice()->showProblem(applyVoice(choice));
                     });
    dialog.exec();
}

} // namespace quill
