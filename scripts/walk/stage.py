"""The ground a walk plays on: a game folder, a program folder with a library of
add-ons that share files and replace the game's (a 5,000-member terrain, an empty
and a damaged archive among them), saved sets, and a folder beside the game that
nothing may touch; and the fingerprints that show what a walk changed."""
import hashlib
import os
import shutil
import zipfile

GAME_INI = "\r\n".join([
    "[EAW]", "PlayerPilotName=Hauptmann Kurz", "LeaderChar=42", "WingmanChar=43",
    "ExtraSquads=3", "[NETOPTION]", "AI_PlaneUpdateRate=200", "[GRAPHICS]", "width=1024",
    "height=768", "[DISPLAY]", "HudColor_Green_R=0", "HudColor_Green_G=200",
    "HudColor_Green_B=40", "[CONTROLS]", "Force Feedback=1", "JoystickDeadZone=5",
    "Flight Sensitivity=1.50", "Camera Sensitivity=0.80", "[Remappable Keys]",
    "CHASE VIEW=F2", ""])

# The game's files: the four protected ones and two of types Clear All leaves.
GAME_FILES = ("EAW.EXE", "EXTRA.SPT", "GRB_031.SND", "MANUAL.PDF", "SMACKW32.DLL")

TERRAIN_MEMBERS = 5000

# Every add-on's members are of the game's file types, so that the close, which
# clears those, leaves the game folder as it found it. Some share members, some
# replace the game's protected files.
ADDONS = {
    "GRAPHICS": {"CLOUDS": ["CLOUD1.PIC", "CLOUD2.PIC", "SKY.PAL"],
                 "HAZE": ["CLOUD1.PIC", "HAZE.PIC", "EXTRA.SPT"]},
    "SOUNDS": {"ENGINES": ["GRB_031.SND", "ENGINE.WSD"]},
    "FLIGHTMODELS": {"SPITFIRE9": ["SPIT9.FLT"], "BF109": ["BF109.FLT", "SPIT9.FLT"]},
    "EXES": {"FASTEXE": ["EAW.EXE"]},
    "MISSIONS": {"DOVER": ["DOVER.MNU", "DOVER.DAT"]},
    "SKINS": {"RAF": ["RAF.TPC", "CLOUD2.PIC"]},
    "TERRAINS": {"NORMANDY": ["TILE0007.TPC", "NORMANDY.TER"]},
}

SETS = {
    "Evening": ["GRAPHICS=CLOUDS", "FLIGHTMODELS=SPITFIRE9"],
    "Many": ["TERRAINS=EUROPE", "GRAPHICS=HAZE", "SOUNDS=ENGINES", "EXES=FASTEXE"],
    "Gone": ["GRAPHICS=NOTHERE", "SOUNDS=LOSTSOUND"],
}

CATEGORIES = ("FLIGHTMODELS", "MISSIONS", "SKINS", "TERRAINS", "GRAPHICS", "SOUNDS", "EXES")
CONFIG_KEYS = ("RUTAMODELOSVUELO", "RUTAMISIONES", "RUTASKINS", "RUTATERRENOS",
               "RUTAGRAFICOS", "RUTASONIDOS", "RUTAEXES")


def _write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as file:
        file.write(data if isinstance(data, bytes) else data.encode())


def make_game_folder(game):
    for name in GAME_FILES:
        _write(os.path.join(game, name), f"game {name}\n")
    _write(os.path.join(game, "EAW.INI"), GAME_INI)


def _archive(path, members):
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as archive:
        for member in members:
            archive.writestr(member, f"{os.path.basename(path)} {member}\n")


def _package(folder, name, members, picture):
    _archive(os.path.join(folder, name + ".zip"), members)
    _write(os.path.join(folder, name + ".txt"), f"{name}\r\n\r\nAn add-on for the walk.\r\n")
    shutil.copyfile(picture, os.path.join(folder, name + ".jpg"))


def make_library(program, picture):
    for category, addons in ADDONS.items():
        for name, members in addons.items():
            _package(os.path.join(program, category), name, members, picture)
    terrain = [f"TILE{number:04d}.TPC" for number in range(TERRAIN_MEMBERS)]
    _package(os.path.join(program, "TERRAINS"), "EUROPE", terrain, picture)
    graphics = os.path.join(program, "GRAPHICS")
    _archive(os.path.join(graphics, "AAEMPTY.zip"), [])
    _archive(os.path.join(graphics, "BROKEN.zip"), ["BROKEN1.PIC", "BROKEN2.PIC"])
    _damage(os.path.join(graphics, "BROKEN.zip"))
    for name, lines in SETS.items():
        _write(os.path.join(program, "SETS", name + ".INI"), "\r\n".join(lines) + "\r\n")


def _damage(path):
    """Overwrites the middle of the archive, where its first member's data lies."""
    with open(path, "r+b") as file:
        file.seek(40)
        file.write(b"\xff" * 30)


def settle_paths(program, game):
    """QUORVEL.INI naming the game and library folders, as a first run starts it."""
    lines = ["[PATH]", f"RUTAEAW={game}/"]
    lines += [f"{key}={program}/{folder}/" for key, folder in zip(CONFIG_KEYS, CATEGORIES)]
    lines += [f"RUTABACKUPS={program}/BACKUPS/", ""]
    _write(os.path.join(program, "QUORVEL.INI"), "\r\n".join(lines))


def make_outside(folder):
    """Files beside the game that no operation is about. Without EAW.EXE, the
    game-folder window cannot take the folder as the game's."""
    for name in ("PRECIOUS.DAT", "MAP.PAL", "notes.txt"):
        _write(os.path.join(folder, name), f"mine {name}\n")


def fingerprint(folder, skip=()):
    """Every file under the folder with its checksum, by relative path; the
    files and folders in `skip` left out."""
    prints = {}
    for top, folders, files in os.walk(folder):
        folders[:] = [name for name in folders if os.path.join(top, name) not in skip]
        for name in files:
            path = os.path.join(top, name)
            if path in skip:
                continue
            with open(path, "rb") as file:
                prints[os.path.relpath(path, folder)] = hashlib.sha256(file.read()).hexdigest()
    return prints


def differences(before, after):
    """The paths added, removed or changed, one a line."""
    lines = [f"  added   {path}" for path in sorted(after.keys() - before.keys())]
    lines += [f"  removed {path}" for path in sorted(before.keys() - after.keys())]
    lines += [f"  changed {path}" for path in sorted(before.keys() & after.keys())
              if before[path] != after[path]]
    return lines
