// The settings editor in a game folder of 1, 2,000 and 20,000 files: opening the
// window (every read and the write-backs the loading causes), one click on a
// keyboard toggle, one step of a slider, and Restore INI. A full game folder must
// cost no more than an empty one.
#include "BenchTree.h"
#include "config/PathVariables.h"
#include "library/SecurityCopies.h"
#include "settings/KeyboardToggles.h"
#include "windows/InstallationModel.h"
#include "windows/Settings.h"

#include <QCheckBox>
#include <QScrollBar>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t kSeed = 20261206;

// About the size of a real EAW.INI: a few hundred lines, most of them key bindings
// the editor does not know. `binding` fills the toggles' keys (" " blanks them).
std::string playerEawIni(const std::string& binding) {
    std::string text = "; EAW settings\r\n[EAW]\r\nPlayerPilotName=Oberst Wolf\r\n"
                       "LeaderChar=42\r\nWingmanChar=43\r\nExtraSquads=2\r\n";
    for (int i = 0; i < 40; ++i)
        text += "GameOption" + std::to_string(i) + "=" + std::to_string(i % 3) + "\r\n";
    text += "\r\n[NETOPTION]\r\nAI_PlaneUpdateRate=140\r\nPlayerPlaneUpdateRate=14\r\n"
            "ClockSyncRate=70\r\nNoAI=1\r\nStartOnGround=1\r\nAllowRespawn=1\r\n"
            "\r\n[GRAPHICS]\r\nwidth=1280\r\nheight=1024\r\n";
    for (int i = 0; i < 30; ++i)
        text += "Detail" + std::to_string(i) + "=1\r\n";
    text += "\r\n[DISPLAY]\r\nHudColor_Green_R=30\r\nHudColor_Green_G=220\r\n"
            "HudColor_Green_B=60\r\nHudColor_Red_R=220\r\nHudColor_Red_G=30\r\n"
            "HudColor_Red_B=30\r\n\r\n[CONTROLS]\r\nForce Feedback=1\r\nJoystickDeadZone=4\r\n"
            "Force Feedback Gain=6000\r\nFlight Sensitivity=1.2\r\nWindows JOYSTICK=0\r\n"
            "Camera Sensitivity=1.5\r\n\r\n[Remappable Keys]\r\n";
    std::set<std::string_view> written; // a key in two groups is bound once
    for (const quorvel::KeyboardToggle& toggle : quorvel::kKeyboardToggles)
        for (const std::string_view key : toggle.keys)
            if (written.insert(key).second)
                text += std::string(key) + "=" + binding + "\r\n";
    for (int i = 0; i < 200; ++i)
        text += "COMMAND " + std::to_string(i) + "=" + std::to_string(0x1000 + i) + "\r\n";
    return text;
}

void writeFile(const fs::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

// A program folder and, beside it (a game folder inside the program folder is
// refused), a game folder that holds EAW.INI and `files` - 1 other files, with
// the security copies taken of the player's EAW.INI. Made once per size: a folder
// of 20,000 files takes seconds to write.
class GameFolder {
public:
    explicit GameFolder(std::size_t files) {
        quorvel::bench::MakeGameFolder(game(), files - 1, kSeed);
        fs::create_directories(backups());
        writeFile(game() / "EAW.EXE", "game");
        writeFile(game() / "EAW.INI", playerEawIni("F1"));
        if (!quorvel::TakeSecurityCopies(game(), backups()).done())
            std::abort();
    }
    fs::path program() const { return scratch_.path() / "Quorvel"; }
    fs::path game() const { return scratch_.path() / "game"; }
    fs::path backups() const { return program() / "BACKUPS"; }

    // Points the program at this folder and gives the game `eawIni`; the program
    // works on it while the model lives.
    std::unique_ptr<quorvel::InstallationModel> use(const std::string& eawIni) const {
        quorvel::SetProgramFolder(program());
        quorvel::StorePaths(quorvel::FolderText(game()));
        writeFile(game() / "EAW.INI", eawIni);
        auto model = std::make_unique<quorvel::InstallationModel>();
        if (model->paths().GameFolder.empty())
            std::abort(); // the figures would be those of a window with no game
        return model;
    }

    static const GameFolder& ofSize(std::size_t files) {
        static std::map<std::size_t, std::unique_ptr<GameFolder>> made;
        auto& folder = made[files];
        if (!folder)
            folder = std::make_unique<GameFolder>(files);
        return *folder;
    }

private:
    quorvel::bench::ScratchFolder scratch_;
};

std::size_t folderSize(const benchmark::State& state) {
    return static_cast<std::size_t>(state.range(0));
}

void openSettings(benchmark::State& state, const std::string& binding) {
    const GameFolder& folder = GameFolder::ofSize(folderSize(state));
    const std::string eawIni = playerEawIni(binding);
    for (auto _ : state) {
        state.PauseTiming();
        const auto model = folder.use(eawIni);
        state.ResumeTiming();
        auto* window = new quorvel::Settings(*model, nullptr);
        state.PauseTiming();
        delete window;
        state.ResumeTiming();
    }
}

void BM_OpenSettingsBound(benchmark::State& state) {
    openSettings(state, "F1");
}

// Every toggle found checked: each blanks its whole group while loading.
void BM_OpenSettingsAllTogglesBlank(benchmark::State& state) {
    openSettings(state, " ");
}

// The external views toggle: twelve keys blanked or given back from the copy.
void BM_ToggleClick(benchmark::State& state) {
    const GameFolder& folder = GameFolder::ofSize(folderSize(state));
    const auto model = folder.use(playerEawIni("F1"));
    quorvel::Settings window(*model, nullptr);
    auto* toggle = window.findChild<QCheckBox*>("Check6");
    for (auto _ : state)
        toggle->click();
}

void BM_SliderStep(benchmark::State& state) {
    const GameFolder& folder = GameFolder::ofSize(folderSize(state));
    const auto model = folder.use(playerEawIni("F1"));
    quorvel::Settings window(*model, nullptr);
    auto* slider = window.findChild<QScrollBar*>("HScroll4");
    bool up = true;
    for (auto _ : state) {
        slider->triggerAction(up ? QAbstractSlider::SliderSingleStepAdd
                                 : QAbstractSlider::SliderSingleStepSub);
        up = !up;
    }
}

void BM_RestoreIni(benchmark::State& state) {
    const GameFolder& folder = GameFolder::ofSize(folderSize(state));
    const auto model = folder.use(playerEawIni(" "));
    for (auto _ : state)
        if (!quorvel::RestoreIni(folder.game(), folder.backups()).done())
            state.SkipWithError("Restore INI did not restore");
}

void gameFolderSizes(benchmark::internal::Benchmark* bench) {
    bench->ArgName("files")->Arg(1)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_OpenSettingsBound)->Apply(gameFolderSizes);
BENCHMARK(BM_OpenSettingsAllTogglesBlank)->Apply(gameFolderSizes);
BENCHMARK(BM_ToggleClick)->Apply(gameFolderSizes);
BENCHMARK(BM_SliderStep)->Apply(gameFolderSizes);
BENCHMARK(BM_RestoreIni)->Apply(gameFolderSizes);

} // namespace
