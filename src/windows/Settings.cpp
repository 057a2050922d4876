#include "windows/Settings.h"

#include "config/PathVariables.h"
#include "platform/NameText.h"
#include "settings/KeyboardToggles.h"
#include "settings/SettingGroups.h"
#include "settings/ValueFormats.h"
#include "ui_Settings.h"
#include "windows/OptionGroups.h"
#include "windows/ProgramPictures.h"
#include "windows/Prompts.h"
#include "windows/TextConversions.h"
#include "windows/WindowPlacement.h"

#include <QScopedValueRollback>
#include <QTimer>

namespace quorvel {
namespace {

const QColor kHeadingColour(192, 0, 0);
const QColor kCaptionColour(0, 0, 192);

// The list starts on the item that matches the text shown, so that Down and Up
// move to its neighbours; a text that is no item leaves no item current. Neither
// counts as choosing an item, so nothing is written.
void showInCombo(QComboBox* combo, const QString& text) {
    combo->setCurrentIndex(combo->findText(text));
    combo->setEditText(text);
}

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

} // namespace

Settings::Settings(const InstallationModel& model, QWidget* mainWindow, QWidget* parent)
    : ChildWindow(mainWindow, parent)
    , model_(model)
    , ui(std::make_unique<Ui::Settings>()) {
    ui->setupUi(this);
    PlaceFixedCentred(this);
    paintCaptions();
    ShowSmallBanner(ui->Image1);
    // EAW.INI is written in the game's code page.
    ui->Text3->setValidator(new Windows1252Validator(ui->Text3));
    connectHandlers();
    MakeOneTabStop({ui->Option1, ui->Option2, ui->Option3});
    MakeOneTabStop({ui->Option4, ui->Option5});
    Form_Load();
    tellWriteFailure();
}

Settings::~Settings() = default;

void Settings::paintCaptions() {
    for (QLabel* label : findChildren<QLabel*>()) {
        const QString role = label->property("role").toString();
        if (role == QLatin1String("heading")) {
            setTextColour(label, kHeadingColour);
            QFont bold = label->font();
            bold.setBold(true);
            label->setFont(bold);
        } else if (role == QLatin1String("caption")) {
            setTextColour(label, kCaptionColour);
        }
    }
    for (QAbstractButton* button : findChildren<QAbstractButton*>())
        setTextColour(button, kCaptionColour);
}

// Each handler runs in a batch of EAW.INI: the change it makes, with the changes
// of the handlers it sets off, replaces the file once.
void Settings::connectHandlers() {
    const auto batched = [this](void (Settings::*handler)()) {
        return [this, handler] {
            {
                const GameIniFile::Batch batch(gameIni_);
                (this->*handler)();
            }
            tellWriteFailure();
        };
    };
    const auto onCheck = [this, batched](QCheckBox* box, void (Settings::*handler)()) {
        connect(box, &QCheckBox::toggled, this, batched(handler));
    };
    onCheck(ui->Check1, &Settings::Check1_Click);
    onCheck(ui->Check3, &Settings::Check3_Click);
    onCheck(ui->Check4, &Settings::Check4_Click);
    onCheck(ui->Check5, &Settings::Check5_Click);
    onCheck(ui->Check6, &Settings::Check6_Click);
    onCheck(ui->Check7, &Settings::Check7_Click);
    onCheck(ui->Check8, &Settings::Check8_Click);
    onCheck(ui->Check9, &Settings::Check9_Click);
    onCheck(ui->Check10, &Settings::Check10_Click);
    onCheck(ui->Check11, &Settings::Check11_Click);
    onCheck(ui->Check12, &Settings::Check12_Click);
    onCheck(ui->Check13, &Settings::Check13_Click);

    // An option's handler runs when it becomes selected, not when it is left.
    const auto onSelect = [this, batched](QRadioButton* option, void (Settings::*handler)()) {
        connect(option, &QRadioButton::toggled, this, [run = batched(handler)](bool selected) {
            if (selected)
                run();
        });
    };
    onSelect(ui->Option1, &Settings::Option1_Click);
    onSelect(ui->Option2, &Settings::Option2_Click);
    onSelect(ui->Option3, &Settings::Option3_Click);
    onSelect(ui->Option4, &Settings::Option4_Click);
    onSelect(ui->Option5, &Settings::Option5_Click);

    const auto onChoose = [this](QComboBox* combo, void (Settings::*handler)(int)) {
        connect(combo, &QComboBox::activated, this, [this, handler](int item) {
            {
                const GameIniFile::Batch batch(gameIni_);
                (this->*handler)(item);
            }
            tellWriteFailure();
        });
    };
    onChoose(ui->Combo1, &Settings::Combo1_Click);
    onChoose(ui->Combo2, &Settings::Combo2_Click);
    onChoose(ui->Combo3, &Settings::Combo3_Click);

    const auto onMove = [this, batched](QScrollBar* slider, void (Settings::*handler)()) {
        connect(slider, &QScrollBar::valueChanged, this, batched(handler));
    };
    onMove(ui->HScroll1, &Settings::HScroll1_Change);
    onMove(ui->HScroll2, &Settings::HScroll2_Change);
    onMove(ui->HScroll3, &Settings::HScroll3_Change);
    onMove(ui->HScroll4, &Settings::HScroll4_Change);
    onMove(ui->HScroll5, &Settings::HScroll5_Change);
    onMove(ui->HScroll6, &Settings::HScroll6_Change);
    onMove(ui->HScroll9, &Settings::HScroll9_Change);

    const auto onEdit = [this, batched](QLineEdit* text, void (Settings::*handler)()) {
        connect(text, &QLineEdit::textChanged, this, batched(handler));
    };
    onEdit(ui->Text1, &Settings::Text1_Change);
    onEdit(ui->Text2, &Settings::Text2_Change);
    onEdit(ui->Text3, &Settings::Text3_Change);
}

// A change that did not reach EAW.INI (read-only on Linux, a full disk) is told
// once an opening, and every control goes back to what the file holds: the window
// never shows what the game will not get. Queued: the control that changed is
// still in its own handler.
void Settings::tellWriteFailure() {
    if (reloading_ || !gameIni_.takeWriteFailure() || reloadQueued_)
        return;
    reloadQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        reloadQueued_ = false;
        if (!toldWriteFailure_) {
            toldWriteFailure_ = true;
            Prompts::tell(this, QStringLiteral("EAW.INI could not be written, so the change did "
                                               "not reach the game: %1\n\nIs the file read-only, "
                                               "or the disk full? The window shows what the "
                                               "file holds.")
                                    .arg(ToQString(NameText(model_.paths().GameIniPath))));
        }
        reloading_ = true;
        Form_Load();
        gameIni_.takeWriteFailure();
        reloading_ = false;
    });
}

// Every control is set the way the user would set it, so its handler writes the
// value back in the game's own format.
void Settings::Form_Load() {
    gameIni_ = GameIniFile::FromPaths(model_.paths());
    // Without the game's EAW.INI there is nothing to show, and loading would write
    // a new one holding nothing but blanked key bindings.
    if (!gameIni_.exists())
        return;
    const GameIniFile::Batch batch(gameIni_);
    ui->Text3->setText(FromWindows1252(gameIni_.read(kPlayerPilotName)));
    QRadioButton* const presets[] = {ui->Option1, ui->Option2, ui->Option3};
    presets[PresetForStoredRate(gameIni_.read(kAiPlaneUpdateRate))]->setChecked(true);
    for (std::size_t toggle = 0; toggle < kKeyboardToggles.size(); ++toggle)
        if (ToggleReadsChecked(gameIni_, toggle))
            toggleBox(toggle)->setChecked(true);
    showInCombo(ui->Combo1, FromWindows1252(StoredResolutionText(gameIni_)));
    loadSymbols();
    ui->Check3->setChecked(ReadsAsChecked(gameIni_.read(kNoAI)));
    ui->Check4->setChecked(ReadsAsChecked(gameIni_.read(kStartOnGround)));
    ui->Check5->setChecked(ReadsAsChecked(gameIni_.read(kAllowRespawn)));
    ui->Option4->setChecked(true);
    loadColourSet(kFriendlyHud);
    ui->Check1->setChecked(ReadsAsChecked(gameIni_.read(kForceFeedback)));
    loadJoystick();
}

void Settings::loadSymbols() {
    const auto leader = ReadCharacterCode(gameIni_.read(kLeaderChar));
    const auto wingman = ReadCharacterCode(gameIni_.read(kWingmanChar));
    if (leader)
        ui->Text1->setText(FromWindows1252(std::string(1, static_cast<char>(*leader))));
    if (wingman)
        ui->Text2->setText(FromWindows1252(std::string(1, static_cast<char>(*wingman))));
}

// A stored value the slider cannot show leaves it at 0, which writes nothing.
void Settings::loadJoystick() {
    ui->HScroll4->setValue(
        ReadWholeNumber(gameIni_.read(kJoystickDeadZone), 0, ui->HScroll4->maximum()).value_or(0));
    ui->HScroll5->setValue(
        ReadWholeNumber(gameIni_.read(kForceFeedbackGain), 0, ui->HScroll5->maximum()).value_or(0));
    ui->HScroll6->setValue(
        ReadHundredths(gameIni_.read(kFlightSensitivity), ui->HScroll6->maximum()).value_or(0));
    showInCombo(ui->Combo3, FromWindows1252(gameIni_.read(kWindowsJoystick)));
    showInCombo(ui->Combo2, FromWindows1252(gameIni_.read(kExtraSquads)));
    const std::string camera = gameIni_.read(kCameraSensitivity);
    if (const auto position = ReadHundredths(camera, ui->HScroll9->maximum()))
        ui->HScroll9->setValue(*position);
    ui->Label13->setText(FromWindows1252(camera));
}

void Settings::writeFlag(const QCheckBox* box, const IniEntry& entry) {
    gameIni_.write(entry, FlagText(box->isChecked()));
}

void Settings::Check1_Click() {
    writeFlag(ui->Check1, kForceFeedback);
}

void Settings::Check3_Click() {
    writeFlag(ui->Check3, kNoAI);
}

void Settings::Check4_Click() {
    writeFlag(ui->Check4, kStartOnGround);
}

void Settings::Check5_Click() {
    writeFlag(ui->Check5, kAllowRespawn);
}

void Settings::Option1_Click() {
    WriteNetworkPreset(gameIni_, 0);
}

void Settings::Option2_Click() {
    WriteNetworkPreset(gameIni_, 1);
}

void Settings::Option3_Click() {
    WriteNetworkPreset(gameIni_, 2);
}

void Settings::Combo1_Click(int item) {
    WriteResolution(gameIni_, static_cast<std::size_t>(item));
}

void Settings::Combo2_Click(int item) {
    gameIni_.write(kExtraSquads, kNumberItems.at(static_cast<std::size_t>(item)));
}

void Settings::Combo3_Click(int item) {
    gameIni_.write(kWindowsJoystick, kNumberItems.at(static_cast<std::size_t>(item)));
}

// The value caption shows exactly the text that is written.
void Settings::showAndWrite(QLabel* caption, const IniEntry& entry, const std::string& text) {
    caption->setText(FromWindows1252(text));
    gameIni_.write(entry, text);
}

void Settings::HScroll4_Change() {
    showAndWrite(ui->Label19, kJoystickDeadZone, WholeNumberText(ui->HScroll4->value()));
}

void Settings::HScroll5_Change() {
    showAndWrite(ui->Label20, kForceFeedbackGain, WholeNumberText(ui->HScroll5->value()));
}

void Settings::HScroll6_Change() {
    showAndWrite(ui->Label21, kFlightSensitivity, HundredthsText(ui->HScroll6->value()));
}

void Settings::HScroll9_Change() {
    showAndWrite(ui->Label13, kCameraSensitivity, HundredthsText(ui->HScroll9->value()));
}

void Settings::Option4_Click() {
    loadColourSet(kFriendlyHud);
}

void Settings::Option5_Click() {
    loadColourSet(kEnemyHud);
}

// The whole set is read before any slider moves: each slider's handler writes all
// three positions, and the last of those writes leaves the set as it was read.
void Settings::loadColourSet(const HudColourSet& set) {
    const StoredColourParts parts = ReadHudColourSet(gameIni_, set);
    for (std::size_t i = 0; i < parts.size(); ++i)
        unreadableParts_[i] = !parts[i];
    const QScopedValueRollback hold(holdColourWrites_, !IsComplete(parts));
    ui->HScroll1->setValue(parts[0].value_or(0));
    ui->HScroll2->setValue(parts[1].value_or(0));
    ui->HScroll3->setValue(parts[2].value_or(0));
    paintSwatch();
}

void Settings::HScroll1_Change() {
    colourSliderMoved(0);
}

void Settings::HScroll2_Change() {
    colourSliderMoved(1);
}

void Settings::HScroll3_Change() {
    colourSliderMoved(2);
}

void Settings::colourSliderMoved(std::size_t part) {
    paintSwatch();
    if (holdColourWrites_)
        return;
    unreadableParts_[part] = false;
    const QScrollBar* const sliders[] = {ui->HScroll1, ui->HScroll2, ui->HScroll3};
    StoredColourParts positions;
    for (std::size_t i = 0; i < positions.size(); ++i)
        if (!unreadableParts_[i])
            positions[i] = sliders[i]->value();
    WriteHudColourSet(gameIni_, ui->Option4->isChecked() ? kFriendlyHud : kEnemyHud, positions);
}

void Settings::paintSwatch() {
    QPalette palette = ui->Label6->palette();
    palette.setColor(QPalette::Window,
                     QColor(SwatchPart(ui->HScroll1->value()), SwatchPart(ui->HScroll2->value()),
                            SwatchPart(ui->HScroll3->value())));
    ui->Label6->setPalette(palette);
}

// A character outside the code page has no code there, like an empty box.
void Settings::writeCharacterCode(const QString& text, const IniEntry& entry) {
    gameIni_.write(entry, CharacterCodeText(ToWindows1252(text.left(1)).value_or(std::string())));
}

void Settings::Text1_Change() {
    writeCharacterCode(ui->Text1->text(), kLeaderChar);
}

void Settings::Text2_Change() {
    writeCharacterCode(ui->Text2->text(), kWingmanChar);
}

// The box's validator lets in only what the code page holds.
void Settings::Text3_Change() {
    if (const auto name = ToWindows1252(ui->Text3->text()))
        gameIni_.write(kPlayerPilotName, *name);
}

QCheckBox* Settings::toggleBox(std::size_t toggle) const {
    QCheckBox* const boxes[] = {ui->Check6,  ui->Check7,  ui->Check8,  ui->Check9,
                                ui->Check10, ui->Check11, ui->Check12, ui->Check13};
    return boxes[toggle];
}

void Settings::CheckToggle_Click(std::size_t toggle) {
    if (ApplyToggle(gameIni_, toggle, toggleBox(toggle)->isChecked(), ui->Check10->isChecked()))
        ui->Check9->setChecked(true);
}

void Settings::Check6_Click() {
    CheckToggle_Click(0);
}

void Settings::Check7_Click() {
    CheckToggle_Click(1);
}

void Settings::Check8_Click() {
    CheckToggle_Click(2);
}

void Settings::Check9_Click() {
    CheckToggle_Click(kClosestEnemyToggle);
}

void Settings::Check10_Click() {
    CheckToggle_Click(kEnemyTargetingToggle);
}

void Settings::Check11_Click() {
    CheckToggle_Click(5);
}

void Settings::Check12_Click() {
    CheckToggle_Click(6);
}

void Settings::Check13_Click() {
    CheckToggle_Click(7);
}

} // namespace quorvel
