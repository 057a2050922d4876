"""What must hold after every step of a walk: the program lives, one of its
windows takes input, no window of it is hidden behind a disabled one, no box is
covered."""
import time

import controls
import desk

ANSWER_SECONDS = 2
# Work on the walk's library ends well within this; a progress window shown longer
# is one that no longer belongs to any work, and it takes no input.
PROGRESS_SECONDS = 30


def _is_modal(kind):
    return kind in ("progress", "box", "dialog")


def _disabled(window, kind, shown):
    """Whether the program keeps the window from input now: the main window while
    any window but Delete Addon is over it, every window below an open box, dialog
    or progress window."""
    top_modal = max((controls.RANK[k] for _, k in shown if _is_modal(k)), default=-1)
    if controls.RANK[kind] < top_modal:
        return True
    return kind == "main" and any(
        k != "main" and w.title != controls.DELETE_TITLE for w, k in shown)


def _name(window, kind):
    return controls.called(window, kind)


def hidden_windows(shown):
    """A window stacked below a disabled window of a lower rank that overlaps it:
    the player sees the disabled one and cannot reach the other. Boxes have a
    check of their own."""
    faults = []
    for low, (window, kind) in enumerate(shown):
        if kind == "box":
            continue
        for above, above_kind in shown[low + 1:]:
            if (controls.RANK[kind] > controls.RANK[above_kind] and window.overlaps(above)
                    and _disabled(above, above_kind, shown)):
                faults.append(f"{_name(window, kind)} is hidden behind "
                              f"{_name(above, above_kind)}, which is disabled")
    return faults


def covered_boxes(shown):
    faults = []
    for low, (window, kind) in enumerate(shown):
        if kind != "box":
            continue
        faults += [f"the box is covered by {_name(above, above_kind)}"
                   for above, above_kind in shown[low + 1:] if window.overlaps(above)]
    return faults


def takes_input(shown):
    """Some window answers the desktop within two seconds."""
    if not shown:
        return ["no window of the program is shown"]
    top = shown[-1][0]
    if desk.answers_ping(top.id, ANSWER_SECONDS):
        return []
    return [f"no answer within {ANSWER_SECONDS} s from '{top.title}'"]


def _progress_on_top(program):
    shown = program.windows()
    return bool(shown) and controls.kind_of(shown[-1], program.scale) == "progress"


def progress_ends(program):
    """A progress window on top goes within its time: until then the player can
    only wait."""
    deadline = time.monotonic() + PROGRESS_SECONDS
    while _progress_on_top(program):
        if time.monotonic() > deadline:
            return [f"the progress window stays on top for {PROGRESS_SECONDS} s: "
                    "no window takes input"]
        time.sleep(0.5)
    return []


def after_step(program):
    """The faults seen now, one a line; none when all holds."""
    if not program.alive():
        return [f"the program ended (status {program.process.returncode})"]
    faults = _desk_faults(program)
    if faults:
        return faults
    waited = progress_ends(program)
    # What the desk shows after the wait tells more than the wait alone.
    return _desk_faults(program) + waited if waited else []


def _desk_faults(program):
    shown = [(window, controls.kind_of(window, program.scale)) for window in program.windows()]
    return takes_input(shown) + hidden_windows(shown) + covered_boxes(shown)
