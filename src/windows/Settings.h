#pragma once

#include "settings/GameIniFile.h"
#include "settings/SettingGroups.h"
#include "windows/ChildWindow.h"
#include "windows/InstallationModel.h"

#include <array>
#include <memory>

class QCheckBox;
class QLabel;

namespace Ui {
class Settings;
}

namespace quorvel {

// The live editor of the game's EAW.INI: opening it loads every control from the
// file, and every change, the loading's own included, is written at once.
class Settings : public ChildWindow {
    Q_OBJECT

public:
    // Opens as its own window and deletes itself when closed; closing enables
    // `mainWindow` again. It edits the EAW.INI of the model's game folder.
    Settings(const InstallationModel& model, QWidget* mainWindow, QWidget* parent = nullptr);
    ~Settings() override;

private:
    void connectHandlers();
    void paintCaptions();

    void Form_Load();
    void tellWriteFailure();
    void loadSymbols();
    void loadJoystick();

    void Check1_Click();
    void Check3_Click();
    void Check4_Click();
    void Check5_Click();
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    void Option5_Click();
    void Combo1_Click(int item);
    void Combo2_Click(int item);
    void Combo3_Click(int item);
    void HScroll1_Change();
    void HScroll2_Change();
    void HScroll3_Change();
    void HScroll4_Change();
    void HScroll5_Change();
    void HScroll6_Change();
    void HScroll9_Change();
    void Text1_Change();
    void Text2_Change();
    void Text3_Change();
    void Check6_Click();
    void Check7_Click();
    void Check8_Click();
    void Check9_Click();
    void Check10_Click();
    void Check11_Click();
    void Check12_Click();
    void Check13_Click();
    void CheckToggle_Click(std::size_t toggle);

    void writeFlag(const QCheckBox* box, const IniEntry& entry);
    void showAndWrite(QLabel* caption, const IniEntry& entry, const std::string& text);
    void writeCharacterCode(const QString& text, const IniEntry& entry);
    void loadColourSet(const HudColourSet& set);
    void colourSliderMoved(std::size_t part);
    void paintSwatch();
    QCheckBox* toggleBox(std::size_t toggle) const;

    const InstallationModel& model_;
    std::unique_ptr<Ui::Settings> ui;
    GameIniFile gameIni_;
    // Set while a colour set with an unreadable part is shown: the sliders then
    // move without writing, so the stored set stays as it was.
    bool holdColourWrites_ = false;
    // Parts of the selected set that could not be read and have not been moved
    // since: the sliders never write them.
    std::array<bool, 3> unreadableParts_{};
    bool toldWriteFailure_ = false; // once an opening
    bool reloadQueued_ = false;
    bool reloading_ = false;
};

} // namespace quorvel
