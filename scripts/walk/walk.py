"""A player's random walk through the real program on a desktop with a window
manager: from a seed, it draws one action after another on the open windows and
checks the desktop after each; at the end it closes the program and checks that
the game folder is as it was before the first install and nothing outside it
changed. A failing walk prints its seed and steps, and replays from the seed.
  walk.py --program FOLDER --source CHECKOUT --shots FOLDER --seed N
          [--minutes M] [--steps K] [--scale S] [--window-manager NAME]"""
import argparse
import os
import random
import shutil
import signal
import sys
import tempfile
import time

import actions
import checks
import controls
import game as game_stand_ins
import player
import stage
from program import Program

END_SECONDS = 60


def arguments():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True, help="the built program folder")
    parser.add_argument("--source", required=True, help="the checkout, for the window layouts")
    parser.add_argument("--shots", required=True, help="where screenshots of failures go")
    parser.add_argument("--seed", type=int, required=True)
    parser.add_argument("--minutes", type=float, default=1.0)
    parser.add_argument("--steps", type=int, default=0, help="stop after this many steps")
    parser.add_argument("--scale", type=float, default=1.0)
    parser.add_argument("--window-manager", default="openbox", help="for the replay line")
    return parser.parse_args()


def prepare(work, built, source, scale):
    """The game in a Wine prefix, the program folder with its library and sets, the
    folder beside, the stand-ins Play and the folder buttons start; the program
    started and its first run accepted."""
    game = os.path.join(work, "wine", "drive_c", "EAW")
    folder = os.path.join(work, "Quorvel")
    shutil.copytree(built, folder)
    for leftover in ("QUORVEL.INI",):
        if os.path.exists(os.path.join(folder, leftover)):
            os.remove(os.path.join(folder, leftover))
    for kept in ("BACKUPS", "SETS"):
        shutil.rmtree(os.path.join(folder, kept), ignore_errors=True)
        os.makedirs(os.path.join(folder, kept))
    stage.make_game_folder(game)
    stage.make_library(folder, os.path.join(folder, "QUORVEL.jpg"))
    stage.settle_paths(folder, game)
    stage.make_outside(os.path.join(work, "beside"))
    program = Program(folder, work, scale, game_stand_ins.StandIns(work, source))
    program.start()
    try:
        program.accept_first_run()
    except BaseException:
        program.kill()
        raise
    return program, game


class Walk:
    def __init__(self, options, work):
        self.options = options
        self.work = work
        self.steps = []
        self.faults = []
        self.program, self.game = prepare(work, options.program, options.source, options.scale)
        self.game_before = stage.fingerprint(self.game)
        self.outside = lambda: stage.fingerprint(work, skip=(
            self.game, self.program.folder, os.path.join(work, "home"),
            os.path.join(work, "runtime"), os.path.join(work, "program-errors.txt"),
            self.program.stand_ins.tools))
        self.outside_before = self.outside()
        self.actions = actions.Actions(self.program, random.Random(options.seed),
                                       controls.layouts(options.source))
        self.settings_opened = False
        self.began = time.monotonic()

    def over(self, began):
        if self.options.steps:
            return len(self.steps) >= self.options.steps
        return time.monotonic() - began >= self.options.minutes * 60

    def step(self):
        playing = self.program.stand_ins.playing()
        game_before = stage.fingerprint(self.game) if playing else None
        line = self.actions.take_one()
        if line is None:
            line = "nothing to do"
        if playing:
            line += " (while the game plays)"
        self.steps.append(line)
        print(f"step {len(self.steps)} ({time.monotonic() - self.began:.0f} s): {line}",
              flush=True)
        self.note_settings()
        return checks.after_step(self.program) + self.game_left_alone(playing, game_before)

    def game_left_alone(self, playing, before):
        """While one run of the game played through a whole step, its folder did not
        change."""
        if not playing or self.program.stand_ins.playing() != playing:
            return []
        changed = stage.differences(before, stage.fingerprint(self.game))
        return ["the game folder changed while the game played:"] + changed if changed else []

    def note_settings(self):
        """Whether the settings window was seen, which writes EAW.INI as it opens."""
        self.settings_opened |= any(w.title.endswith("EAW.INI Settings")
                                    for w, _ in self.actions.shown())

    def run(self):
        self.began = time.monotonic()
        while not self.over(self.began):
            faults = self.step()
            if faults:
                self.fail(faults)
                return
        self.end()

    def fail(self, faults):
        shot = os.path.join(self.options.shots, f"seed-{self.options.seed}-step-{len(self.steps)}.png")
        player.screenshot(shot)
        self.faults = faults + [f"screenshot: {shot}"]

    def close_all(self):
        """Answers boxes, closes the windows over the main one, then the main one."""
        deadline = time.monotonic() + END_SECONDS
        while self.program.alive() and time.monotonic() < deadline:
            self.actions.look()
            self.note_settings()
            shown = self.actions.shown()
            over = [(w, k) for w, k in shown if k != "main"]
            if over:
                window, kind = over[-1]
                if kind == "box":
                    player.keys(window, "Return")
                else:
                    player.close(window)
            elif shown:
                player.close(shown[0][0])
            self.program.ends_within(2)
        return not self.program.alive()

    def end(self):
        self.steps.append("the close")
        print(f"step {len(self.steps)}: the close", flush=True)
        if not self.close_all():
            self.fail([f"the program did not end within {END_SECONDS} s of the close"])
            return
        exempt = {"EAW.INI"} if self.settings_opened else set()
        game_now = {p: h for p, h in stage.fingerprint(self.game).items() if p not in exempt}
        game_then = {p: h for p, h in self.game_before.items() if p not in exempt}
        changed = stage.differences(game_then, game_now)
        if changed:
            self.faults.append("the game folder is not as before the first install:")
            self.faults += changed
        outside = stage.differences(self.outside_before, self.outside())
        if outside:
            self.faults.append("files outside the game and program folders changed:")
            self.faults += outside

    def report(self):
        seed = self.options.seed
        if not self.faults:
            print(f"walk with seed {seed}: {len(self.steps)} steps, all checks held")
            return True
        print(f"\nWALK FAILED with seed {seed} after step {len(self.steps)}:")
        print("\n".join("  " + fault for fault in self.faults))
        print("its steps:")
        print("\n".join(f"  {n}. {line}" for n, line in enumerate(self.steps, 1)))
        print(f"replay: scripts/walk.sh --seed {seed} --steps {len(self.steps)} "
              f"--scale {self.options.scale:g} --window-manager {self.options.window_manager}")
        print_program_errors(self.work)
        return False


def print_program_errors(work):
    errors = os.path.join(work, "program-errors.txt")
    if os.path.exists(errors) and os.path.getsize(errors):
        with open(errors, encoding="utf-8", errors="replace") as text:
            print("the program's error output:\n" + text.read())


def broken_off(options, work, fault):
    """The walk could not go on (its program never showed the first-run window,
    say): what the screen and the program said, then exit."""
    shot = os.path.join(options.shots, f"seed-{options.seed}-start.png")
    player.screenshot(shot)
    print(f"WALK BROKEN OFF with seed {options.seed}: {fault}\n  screenshot: {shot}")
    print_program_errors(work)
    sys.exit(1)


def main():
    # A walk stopped from outside still ends its program and removes its folder.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    options = arguments()
    os.makedirs(options.shots, exist_ok=True)
    work = tempfile.mkdtemp(prefix="quorvel-walk.")
    walk = None
    try:
        walk = Walk(options, work)
        walk.run()
    except RuntimeError as fault:
        broken_off(options, work, fault)
    finally:
        if walk is not None:
            walk.program.kill()
        shutil.rmtree(work, ignore_errors=True)
    sys.exit(0 if walk.report() else 1)


if __name__ == "__main__":
    main()
