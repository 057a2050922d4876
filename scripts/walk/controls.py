"""The program's windows as a player tells them apart, and the controls of each
at their places in the window's fixed layout (read from the windows' .ui files)."""
import glob
import os
import xml.etree.ElementTree as ElementTree
from dataclasses import dataclass

MAIN_TITLE = "EUROPEAN AIR WAR Quorvel v1.0"
BOX_TITLES = ("QUORVEL", "Alert !!!")
PROGRESS_TITLE = "Quorvel"
DELETE_TITLE = MAIN_TITLE + " - Delete Addon"
MAIN_WIDTH = 745

# The classes a player can click or type into.
_ACTIVE = ("QPushButton", "QToolButton", "QCheckBox", "QRadioButton", "QComboBox",
           "QLineEdit", "QPlainTextEdit", "FocusMarkedList", "SettingSlider",
           "DrivePicker", "FolderPicker")


@dataclass
class Control:
    name: str
    kind: str
    x: int
    y: int
    width: int
    height: int
    caption: str

    def __str__(self):
        return f"{self.name} ({self.caption})" if self.caption else self.name


def kind_of(window, scale):
    """main, folder (the game-folder window, titled as the main one), child, progress,
    box, or dialog for any other window of the program."""
    if window.title == MAIN_TITLE:
        return "main" if window.width >= MAIN_WIDTH * scale - 1 else "folder"
    if window.title.startswith(MAIN_TITLE + " - "):
        return "child"
    if window.title in BOX_TITLES:
        return "box"
    if window.title == PROGRESS_TITLE:
        return "progress"
    return "dialog"


def called(window, kind):
    """The window as a step's line names it."""
    if kind in ("main", "box", "progress"):
        return f"the {kind} window" if kind != "box" else f"the box '{window.title}'"
    if kind == "folder":
        return "the game-folder window"
    return f"'{window.title.removeprefix(MAIN_TITLE + ' - ')}'"


# How far up a window stands: one that is shown over another of a lower rank
# blocks it.
RANK = {"main": 0, "folder": 1, "child": 1, "dialog": 2, "progress": 2, "box": 3}


def layouts(source):
    """The controls of each fixed-layout window, by the .ui file's window class."""
    found = {}
    for path in glob.glob(os.path.join(source, "src", "windows", "*.ui")):
        root = ElementTree.parse(path).getroot().find("widget")
        controls = []
        for child in root.findall("widget"):
            _collect(child, 0, 0, controls)
        if controls:
            found[root.get("name")] = controls
    return found


def _rect(widget):
    rect = widget.find("property[@name='geometry']/rect")
    if rect is None:
        return None
    return [int(rect.find(side).text) for side in ("x", "y", "width", "height")]


def _caption(widget):
    """The control's text, or its tooltip when it shows a picture."""
    for name in ("text", "toolTip"):
        text = widget.find(f"property[@name='{name}']/string")
        if text is not None and text.text:
            return text.text
    return ""


def _collect(widget, left, top, controls):
    rect = _rect(widget)
    if rect is None:
        return
    x, y, width, height = left + rect[0], top + rect[1], rect[2], rect[3]
    kind = widget.get("class").split("::")[-1]
    if kind in _ACTIVE:
        controls.append(Control(widget.get("name"), kind, x, y, width, height, _caption(widget)))
    for child in widget.findall("widget"):
        _collect(child, x, y, controls)


def layout_of(window, kind, all_layouts):
    """The fixed layout's controls of a shown window, or [] for windows laid out
    by the toolkit."""
    if kind == "main":
        return all_layouts.get("Principal", [])
    if kind == "folder":
        return all_layouts.get("EAWFolder", [])
    for title, name in (("Back up copies", "Backups"), ("EAW.INI Settings", "Settings")):
        if window.title.endswith(title):
            return all_layouts.get(name, [])
    return []
