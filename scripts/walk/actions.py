"""The actions a player can take on the program's open windows, each drawn by the
walk's random generator and told back as one line, so that a walk reads as the
player's road and replays from its seed."""
import time

import controls
import player

KEYS = ("Tab", "shift+Tab", "Return", "space", "Escape", "Up", "Down", "Home", "End",
        "Delete", "Menu", "ctrl+s", "ctrl+o", "ctrl+f", "ctrl+i", "alt+F4")
WORDS = ("Evening", "a", "Set 2", "x" * 120, "../up", "CON", " ")
ROW = 15  # a list row's height at scale 1
# The main window's buttons that open a window: the game folder, New Addon,
# Delete Addon, Settings, Help, About.
OPENERS = ("Command8", "Command11", "Command12", "Command9", "Command14", "Command15")
CATEGORY_BUTTONS = tuple(f"Command{number}" for number in range(1, 8))
INSTALLED_LISTS = tuple(f"List{number}" for number in range(1, 8))


class Actions:
    def __init__(self, program, rng, layouts):
        self.program = program
        self.rng = rng
        self.layouts = layouts
        self.scale = program.scale
        self.seen = []

    def shown(self):
        """The windows shown when the step began: an action acts on what the player saw."""
        return self.seen

    def look(self):
        self.seen = [(w, controls.kind_of(w, self.scale)) for w in self.program.windows()]

    def called(self, window):
        return controls.called(window, controls.kind_of(window, self.scale))

    def main(self):
        return next((w for w, kind in self.shown() if kind == "main"), None)

    def main_takes_input(self):
        kinds = [(w.title, k) for w, k in self.seen]
        return any(k == "main" for _, k in kinds) and all(
            k == "main" or title == controls.DELETE_TITLE for title, k in kinds)

    def main_control(self, name):
        return next(c for c in self.layouts.get("Principal", []) if c.name == name)

    def _spot(self, control):
        """A point inside the control; in a list, on one of its first rows."""
        if control.kind == "FocusMarkedList":
            rows = max(1, min(6, control.height // ROW))
            return control.x + control.width // 2, control.y + ROW * self.rng.randrange(rows) + 7
        return (control.x + self.rng.randrange(2, max(3, control.width - 2)),
                control.y + control.height // 2)

    def _target(self):
        """A shown window and a place in it: a control of its fixed layout, or any
        point of a window laid out by the toolkit."""
        window, kind = self.rng.choice(self.shown())
        layout = controls.layout_of(window, kind, self.layouts)
        if layout:
            chosen = self.rng.choice(layout)
            return window, str(chosen), self._spot(chosen)
        spot = (self.rng.randrange(window.width) / self.scale,
                self.rng.randrange(window.height) / self.scale)
        return window, "a point", spot

    def click(self):
        window, name, (x, y) = self._target()
        player.click(window, x, y, self.scale)
        return f"click {name} at {x:.0f},{y:.0f} of {self.called(window)}"

    def right_click(self):
        window, name, (x, y) = self._target()
        player.click(window, x, y, self.scale, button=3)
        return f"right-click {name} at {x:.0f},{y:.0f} of {self.called(window)}"

    def double_click(self):
        window, name, (x, y) = self._target()
        player.double_click(window, x, y, self.scale)
        return f"double-click {name} at {x:.0f},{y:.0f} of {self.called(window)}"

    def key(self):
        window, _ = self.rng.choice(self.shown())
        key = self.rng.choice(KEYS)
        if key == "alt+F4" and controls.kind_of(window, self.scale) == "main":
            key = "Escape"  # the main window's close ends the walk's program
        player.keys(window, key)
        return f"key {key} on {self.called(window)}"

    def tab_and_press(self):
        window, _ = self.rng.choice(self.shown())
        tabs = ["Tab"] * self.rng.randrange(1, 12)
        press = self.rng.choice(("space", "Return"))
        player.keys(window, *tabs, press)
        return f"{len(tabs)} Tab then {press} on {self.called(window)}"

    def type_text(self):
        window, _ = self.rng.choice(self.shown())
        word = self.rng.choice(WORDS)
        player.type_text(window, word)
        return f"type '{word[:20]}' on {self.called(window)}"

    def open_window(self):
        main = self.main()
        name = self.rng.choice(OPENERS)
        control = self.main_control(name)
        player.click(main, control.x + control.width // 2, control.y + control.height // 2,
                     self.scale)
        return f"click {control} of the main window to open its window"

    def _press_category(self, main):
        button = self.main_control(self.rng.choice(CATEGORY_BUTTONS))
        player.click(main, button.x + 20, button.y + 20, self.scale)
        return button

    def install(self):
        main = self.main()
        category = self._press_category(main)
        row = self.rng.randrange(5)
        target = self.main_control("List8")
        player.double_click(main, target.x + 40, target.y + ROW * row + 7, self.scale)
        return f"install: {category}, double-click row {row} of the library list"

    def uninstall(self):
        main = self.main()
        name = self.rng.choice(INSTALLED_LISTS)
        target = self.main_control(name)
        row = self.rng.randrange(max(1, target.height // ROW))
        player.double_click(main, target.x + 40, target.y + ROW * row + 7, self.scale)
        return f"uninstall: double-click row {row} of {name}"

    def play(self):
        """Play: the stand-in game plays a few seconds while the walk goes on."""
        main = self.main()
        control = self.main_control("Command16")
        player.click(main, control.x + control.width // 2, control.y + control.height // 2,
                     self.scale)
        return f"click {control}: Play"

    def put_back_set(self):
        main = self.main()
        downs = ["Down"] * self.rng.randrange(1, 5)
        player.keys(main, "ctrl+o", *downs, "Return")
        return f"put back a set: Ctrl+O, {len(downs)} Down, Return on the main window"

    def cancel(self):
        window, _ = self.rng.choice(self.shown())
        player.click(window, window.width / self.scale - 50, window.height / self.scale - 20,
                     self.scale)
        return f"click the Cancel corner of {self.called(window)}"

    def close_window(self):
        others = [(w, k) for w, k in self.shown() if k != "main"]
        if not others:
            return None
        window, _ = self.rng.choice(others)
        player.close(window)
        return f"title-bar close of {self.called(window)}"

    def wait(self):
        time.sleep(5)
        return "wait 5 s"

    def chances(self):
        """Each action with its weight; the main window's own only while it takes
        input, so that a walk does not spend itself on a disabled window."""
        table = [(self.click, 30), (self.double_click, 10), (self.right_click, 3),
                 (self.key, 16), (self.tab_and_press, 8), (self.type_text, 3),
                 (self.cancel, 3), (self.close_window, 8), (self.wait, 4)]
        if self.main_takes_input():
            table += [(self.open_window, 7), (self.install, 12), (self.uninstall, 5),
                      (self.put_back_set, 6), (self.play, 3)]
        return table

    def take_one(self):
        """Draws and takes one action; its line, or None when nothing could be done."""
        self.look()
        table = self.chances()
        action = self.rng.choices([a for a, _ in table], weights=[w for _, w in table])[0]
        if not self.seen:
            return None
        return action()
