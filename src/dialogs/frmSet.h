#pragma once
// The settings dialog "設定": colours and font size of the main window's three text boxes, the
// caret-line underline and its colour, and whether several instances may run. Changes show in
// the preview box and the swatch first; Apply writes them to the settings file and hands them
// to the main window through applied(); OK applies and closes, Cancel only closes.
#include "dialogs/voice_group.h"
#include "settings/settings.h"

#include <QDialog>
#include <QString>
#include <filesystem>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quill {

// What the dialog shows of the main window and what Apply gives back to it. Colours are the
// stored values, so that a system colour reference stays one through an unchanged Apply.
struct SheetLook {
    Colour back = kSystemWindowBackground;        // txt 0, 1, 2 background
    Colour fore = kSystemWindowText;              // txt 0, 1, 2 text
    double fontSize = Settings::kDefaultFontSize; // points, of the window and the three boxes
    bool underline = true;                        // caret-line underline shown
    Colour lineColor = kSystemWindowText;         // caret-line underline colour

    bool operator==(const SheetLook&) const = default;
};

// The font size a font-size field text stands for: a number of points from 1 to
// Settings::kMaxFontSize (full-width digits and surrounding blanks allowed), or nothing.
std::optional<double> fontSizeFromText(const QString& text);

// The dialog's buttons by name; each value is the button's index in the design, which its
// object name carries ("cmdMenu_3").
enum class SetButton {
    Ok = 0,
    Apply = 1,
    Cancel = 2,
    ForeColour = 3,
    BackColour = 4,
    LineColour = 5
};

class frmSet : public QDialog {
    Q_OBJECT
public:
    // Returns the chosen colour, or nothing when the chooser was cancelled.
    using ColourChooser = std::function<std::optional<Colour>(QWidget* owner, Colour initial)>;

    frmSet(const SheetLook& current, std::filesystem::path iniFile, QWidget* owner = nullptr,
           ColourChooser chooser = ShowColorDialogChooser());

    static ColourChooser ShowColorDialogChooser();

    // The look the dialog would apply now (the font size as last applied when the field's
    // text is not a usable size).
    SheetLook pending() const;

    // "適用": writes PI, BackColor, ForeColor, UnderLine, LineColor and FontSize, then emits
    // applied(). A font-size text that is no usable size keeps the last valid size, is not
    // written, and the field shows that size again.
    void apply();

    // Controls, by their names in the design.
    QCheckBox* chkPI() const { return chkPI_; }
    QCheckBox* chk() const { return chk_; }
    QLineEdit* preview() const { return preview_; }
    QFrame* swatch() const { return swatch_; }
    QComboBox* cboOption() const { return cboOption_; }
    QPushButton* cmdMenu(SetButton b) const { return buttons_[static_cast<int>(b)]; }
    VoiceGroup* voice() const { return voice_; }

signals:
    void applied(const quill::SheetLook& look);
    // With every Apply, after applied(): the voice to use from now on.
    void voiceApplied(const quill::VoiceChoice& choice);

private:
    void buildControls();
    void load(const SheetLook& current);
    void chooseColour(Colour& target);
    void showPending();
    void writeKeys(bool withFontSize) const;

    std::filesystem::path iniFile_;
    ColourChooser chooser_;
    Colour back_ = 0, fore_ = 0, line_ = 0;
    double fontSize_ = Settings::kDefaultFontSize; // the last valid size
    QString sizeText_;                             // and the field text it came from

    QCheckBox* chkPI_ = nullptr;
    QCheckBox* chk_ = nullptr;
    QLineEdit* preview_ = nullptr;
    QFrame* swatch_ = nullptr;
    QComboBox* cboOption_ = nullptr;
    QPushButton* buttons_[6] = {};
    VoiceGroup* voice_ = nullptr;
};

// Takes the voice into use; returns why the chosen output cannot be used, or nothing.
using VoiceApplier = std::function<QString(const VoiceChoice&)>;

// Opens the dialog modally over `owner` from the main window's current look; `applyLook` and
// `applyVoice` run at every Apply. Returns when the dialog has closed.
void runSettingsDialog(QWidget* owner, const SheetLook& current, const std::filesystem::path& ini,
                       const std::function<void(const SheetLook&)>& applyLook,
                       const VoiceApplier& applyVoice = {});

} // namespace quill
