#pragma once

#include <string_view>

namespace quorvel {

// One setting of the game's EAW.INI, its section and key spelt as the game spells them.
struct IniEntry {
    std::string_view section;
    std::string_view key;
};

inline constexpr std::string_view kEawSection = "EAW";
inline constexpr std::string_view kNetOptionSection = "NETOPTION";
inline constexpr std::string_view kGraphicsSection = "GRAPHICS";
inline constexpr std::string_view kDisplaySection = "DISPLAY";
inline constexpr std::string_view kControlsSection = "CONTROLS";
inline constexpr std::string_view kRemappableKeysSection = "Remappable Keys";

inline constexpr IniEntry kPlayerPilotName{kEawSection, "PlayerPilotName"};
inline constexpr IniEntry kLeaderChar{kEawSection, "LeaderChar"};
inline constexpr IniEntry kWingmanChar{kEawSection, "WingmanChar"};
inline constexpr IniEntry kExtraSquads{kEawSection, "ExtraSquads"};

inline constexpr IniEntry kAiPlaneUpdateRate{kNetOptionSection, "AI_PlaneUpdateRate"};
inline constexpr IniEntry kPlayerPlaneUpdateRate{kNetOptionSection, "PlayerPlaneUpdateRate"};
inline constexpr IniEntry kClockSyncRate{kNetOptionSection, "ClockSyncRate"};
inline constexpr IniEntry kNoAI{kNetOptionSection, "NoAI"};
inline constexpr IniEntry kStartOnGround{kNetOptionSection, "StartOnGround"};
inline constexpr IniEntry kAllowRespawn{kNetOptionSection, "AllowRespawn"};

inline constexpr IniEntry kWidth{kGraphicsSection, "width"};
inline constexpr IniEntry kHeight{kGraphicsSection, "height"};

inline constexpr IniEntry kForceFeedback{kControlsSection, "Force Feedback"};
inline constexpr IniEntry kJoystickDeadZone{kControlsSection, "JoystickDeadZone"};
inline constexpr IniEntry kForceFeedbackGain{kControlsSection, "Force Feedback Gain"};
inline constexpr IniEntry kFlightSensitivity{kControlsSection, "Flight Sensitivity"};
inline constexpr IniEntry kWindowsJoystick{kControlsSection, "Windows JOYSTICK"};
inline constexpr IniEntry kCameraSensitivity{kControlsSection, "Camera Sensitivity"};

} // namespace quorvel
