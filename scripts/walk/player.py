"""A player's hands: the mouse and the keyboard on a window, through xdotool,
at the layouts' coordinates times the scale."""
import os
import subprocess
import time

HERE = os.path.dirname(os.path.abspath(__file__))


def _xdotool(*words):
    subprocess.run(("xdotool",) + tuple(str(word) for word in words),
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=10)


def settle(seconds=0.3):
    time.sleep(seconds)


def _point(window, x, y, scale):
    _xdotool("mousemove", "--window", window.id, round(x * scale), round(y * scale))


def click(window, x, y, scale, button=1):
    _point(window, x, y, scale)
    _xdotool("click", button)
    settle()


def double_click(window, x, y, scale):
    _point(window, x, y, scale)
    _xdotool("click", "--repeat", 2, "--delay", 80, 1)
    settle(0.6)


def focus(window):
    """Brings the window to the front as Alt+Tab does, and gives it the keyboard
    where no window manager does that."""
    _xdotool("windowactivate", window.id)
    _xdotool("windowfocus", window.id)
    settle(0.2)


def keys(window, *names):
    focus(window)
    for name in names:
        _xdotool("key", name)
        settle(0.15)
    settle()


def type_text(window, text):
    focus(window)
    _xdotool("type", "--delay", 40, text)
    settle()


def close(window):
    """Asks the window to close as its title bar's close button does."""
    subprocess.run(["python3", os.path.join(HERE, "..", "close_window.py"), str(window.id)],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=10)
    settle()


def screenshot(path):
    subprocess.run(["import", "-window", "root", path], stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, timeout=30)
