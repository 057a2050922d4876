#pragma once

#include <string>

namespace quorvel::test {

// An EAW.INI as a player's game leaves it: Windows line endings, all six sections
// the editor touches, settings it does not know and a few comments.
inline std::string SampleEawIni() {
    const char* const lines[] = {
        "; European Air War settings",
        "[EAW]",
        "PlayerPilotName=Hauptmann Kurz",
        "Difficulty=2",
        "LeaderChar=42",
        "WingmanChar=43",
        "ExtraSquads=3",
        "MissionLength=1",
        "",
        "[NETOPTION]",
        "AI_PlaneUpdateRate=200",
        "PlayerPlaneUpdateRate=25",
        "ClockSyncRate=80",
        "NoAI=1",
        "StartOnGround=0",
        "AllowRespawn=1",
        "MaxPlayers=8",
        "",
        "[GRAPHICS]",
        "; resolution of the 3D view",
        "width=1024",
        "height=768",
        "Detail=3",
        "",
        "[DISPLAY]",
        "HudColor_Green_R=0",
        "HudColor_Green_G=200",
        "HudColor_Green_B=40",
        "HudColor_Red_R=230",
        "HudColor_Red_G=20",
        "HudColor_Red_B=20",
        "Gamma=1.2",
        "",
        "[CONTROLS]",
        "Force Feedback=1",
        "JoystickDeadZone=5",
        "Force Feedback Gain=7500",
        "Flight Sensitivity=1.5",
        "Windows JOYSTICK=1",
        "Camera Sensitivity=0.8",
        "Rudder Pedals=0",
        "",
        "[Remappable Keys]",
        "; bindings are key codes",
        "CHASE VIEW=F2",
        "FLY-BY VIEW=F3",
        "TRACK VIEW - NEXT PLANE=F4",
        "TRACK VIEW - PREVIOUS PLANE=Shift+F4",
        "TARGET VIEW=F5",
        "PLAYER-TO-TARGET VIEW=F6",
        "TARGET-TO-PLAYER VIEW=Shift+F6",
        "BOMB VIEW=F7",
        "PLAYER-TO-BOMB VIEW=F8",
        "BOMB-TO-PLAYER VIEW=Shift+F8",
        "ACTION VIEW=F9",
        "DOGFIGHT VIEW=Shift+F9",
        "COCKPIT ON/OFF=F1",
        "SNAPVIEW REAR=Keypad 2",
        "TARGET CLOSEST ENEMY=E",
        "TARGET NEXT ENEMY=T",
        "TARGET PREVIOUS ENEMY=Shift+T",
        "TARGET NEXT FRIENDLY=Y",
        "TARGET PREVIOUS FRIENDLY=Shift+Y",
        "TARGET CLOSEST FRIENDLY=Ctrl+Y",
        "TARGET NEXT GROUND=G",
        "TARGET PREVIOUS GROUND=Shift+G",
        "TARGET BEST GROUND=Ctrl+G",
        "TARGET CLOSEST RUNWAY=R",
        "TARGET INFO DISPLAY ON/OFF=I",
        "TARGET DIRECTOR DISPLAY ON/OFF=D",
        "TARGET BOX DISPLAY ON/OFF=B",
        "TARGET ID DISPLAY ON/OFF=Shift+I",
        "TARGET RANGE DISPLAY ON/OFF=Shift+R",
        "FIRE GUNS=Space",
        "PAUSE=P",
    };
    std::string text;
    for (const char* line : lines)
        text += std::string(line) + "\r\n";
    return text;
}

} // namespace quorvel::test
