"""The program under the walk: started in its sandbox, its first run accepted as
a player does it, and its end."""
import os
import subprocess
import time

import desk
import player

HERE = os.path.dirname(os.path.abspath(__file__))


class Program:
    def __init__(self, folder, work, scale, stand_ins):
        self.folder = folder
        self.work = work
        self.scale = scale
        self.stand_ins = stand_ins
        self.process = None

    def start(self):
        environment = self.stand_ins.environment(dict(
            os.environ, HOME=os.path.join(self.work, "home"),
            XDG_RUNTIME_DIR=os.path.join(self.work, "runtime"), QT_SCALE_FACTOR=str(self.scale)))
        for folder in (environment["HOME"], environment["XDG_RUNTIME_DIR"]):
            os.makedirs(folder, mode=0o700, exist_ok=True)
        self.process = subprocess.Popen(
            [os.path.join(HERE, "sandbox.sh"), self.work, os.path.join(self.folder, "quorvel")],
            env=environment, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=open(os.path.join(self.work, "program-errors.txt"), "a"))

    @property
    def pid(self):
        return self.process.pid

    def alive(self):
        return self.process is not None and self.process.poll() is None

    def windows(self):
        return desk.program_windows(self.pid) if self.alive() else []

    def wait_for_window(self, title, seconds=60):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            for window in self.windows():
                if window.title.endswith(title):
                    return window
            time.sleep(0.2)
        raise RuntimeError(f"no window '{title}' came up")

    def accept_first_run(self):
        """Ticks "Not show this message more" and accepts the game folder that
        QUORVEL.INI names, so that the security copies are the program's own."""
        window = self.wait_for_window("Back up copies")
        player.click(window, 20, 436, self.scale)
        player.click(window, 538, 435, self.scale)
        deadline = time.monotonic() + 60
        while any(w.title.endswith("Back up copies") for w in self.windows()):
            if time.monotonic() > deadline:
                raise RuntimeError("the first-run window stays after Accept")
            time.sleep(0.3)
        self.wait_for_window("Quorvel v1.0")

    def ends_within(self, seconds):
        try:
            self.process.wait(timeout=seconds)
            return True
        except subprocess.TimeoutExpired:
            return False

    def kill(self):
        if self.alive():
            self.process.kill()
            self.process.wait()
