// How long opening the settings window takes on a player's EAW.INI: reading every
// entry, the write-backs the loading causes, and the building of the window.
#include "config/PathVariables.h"
#include "settings/KeyboardToggles.h"
#include "windows/Settings.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace {

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
    for (const std::string_view key : quorvel::DistinctToggleKeys())
        text += std::string(key) + "=" + binding + "\r\n";
    for (int i = 0; i < 200; ++i)
        text += "COMMAND " + std::to_string(i) + "=" + std::to_string(0x1000 + i) + "\r\n";
    return text;
}

void writeFile(const fs::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

class BenchFolder {
public:
    BenchFolder()
        : root_(fs::temp_directory_path() /
                ("quorvel-bench-" + std::to_string(std::random_device()()))) {
        fs::create_directories(root_ / "game");
        fs::create_directories(root_ / "BACKUPS");
        quorvel::SetProgramFolder(root_);
        quorvel::StorePaths(quorvel::FolderText(root_ / "game"));
        writeFile(root_ / "BACKUPS" / "EAW.INI", playerEawIni("F1"));
    }
    ~BenchFolder() {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    fs::path gameIni() const { return root_ / "game" / "EAW.INI"; }

private:
    fs::path root_;
};

void openSettings(benchmark::State& state, const std::string& binding) {
    BenchFolder folder;
    const std::string eawIni = playerEawIni(binding);
    std::size_t writes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        writeFile(folder.gameIni(), eawIni);
        state.ResumeTiming();
        auto* window = new quorvel::Settings(nullptr);
        state.PauseTiming();
        writes = window->gameIni().writes().size();
        delete window;
        state.ResumeTiming();
    }
    state.counters["writes"] = static_cast<double>(writes);
}

void BM_OpenSettingsBound(benchmark::State& state) {
    openSettings(state, "F1");
}
BENCHMARK(BM_OpenSettingsBound)->Unit(benchmark::kMillisecond);

// Every toggle found checked: each blanks its whole group while loading.
void BM_OpenSettingsAllTogglesBlank(benchmark::State& state) {
    openSettings(state, " ");
}
BENCHMARK(BM_OpenSettingsAllTogglesBlank)->Unit(benchmark::kMillisecond);

} // namespace
