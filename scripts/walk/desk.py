"""What the desktop shows of one program: its windows, their places and stacking
order, and whether its event loop answers, read through xdotool, xprop and
xwininfo, and through Xlib for the window manager's ping."""
import ctypes
import os
import re
import subprocess
import sys
import time
from dataclasses import dataclass

# The X11 event shapes are close_window.py's, one folder up.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from close_window import CLIENT_MESSAGE as _CLIENT_MESSAGE  # noqa: E402
from close_window import Event as _Event  # noqa: E402


def run(*command):
    """The text a command prints, or "" when it fails."""
    try:
        done = subprocess.run(command, capture_output=True, text=True, timeout=10)
    except subprocess.TimeoutExpired:
        return ""
    return done.stdout if done.returncode == 0 else ""


@dataclass
class Window:
    id: int
    title: str
    x: int
    y: int
    width: int
    height: int

    def overlaps(self, other):
        return (self.x < other.x + other.width and other.x < self.x + self.width
                and self.y < other.y + other.height and other.y < self.y + self.height)


def stacking():
    """The top-level windows, bottom to top, as the window manager stacks them, or
    as the X server does when there is no window manager."""
    text = run("xprop", "-root", "_NET_CLIENT_LIST_STACKING")
    if "window id" in text:
        return [int(word, 16) for word in re.findall(r"0x[0-9a-f]+", text)]
    # xwininfo names the children top first.
    text = run("xwininfo", "-root", "-children").split("children:", 1)[-1]
    return [int(word, 16) for word in reversed(re.findall(r"0x[0-9a-f]+", text))]


def place(window_id):
    """The window's title and its rectangle on the screen, or None once it is gone."""
    info = run("xwininfo", "-id", str(window_id))
    # Menus and drop-down lists pass by the window manager; they are no windows
    # of their own to the player.
    if "IsViewable" not in info or "Override Redirect State: yes" in info:
        return None
    numbers = {key: int(value) for key, value in re.findall(
        r"(Absolute upper-left X|Absolute upper-left Y|Width|Height):\s+(-?\d+)", info)}
    if len(numbers) < 4:
        return None
    title = run("xdotool", "getwindowname", str(window_id)).rstrip("\n")
    return Window(window_id, title, numbers["Absolute upper-left X"],
                  numbers["Absolute upper-left Y"], numbers["Width"], numbers["Height"])


def _owner(window_id):
    found = re.search(r"= (\d+)", run("xprop", "-id", str(window_id), "_NET_WM_PID"))
    return int(found.group(1)) if found else None


def program_windows(pid):
    """The program's shown, managed windows, bottom to top."""
    shown = (place(window_id) for window_id in stacking() if _owner(window_id) == pid)
    return [window for window in shown if window is not None]


# Toolkits answer to the root window with one of these masks.
_STRUCTURE_NOTIFY = 1 << 17
_SUBSTRUCTURE_NOTIFY = 1 << 19


def _xlib():
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XDefaultRootWindow.restype = ctypes.c_ulong
    x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x11.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                               ctypes.POINTER(_Event)]
    x11.XPending.argtypes = [ctypes.c_void_p]
    x11.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(_Event)]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    return x11


def answers_ping(window_id, seconds):
    """Whether the window's program answers the window manager's _NET_WM_PING
    within the time: its event loop runs and reads what the desktop sends."""
    x11 = _xlib()
    display = x11.XOpenDisplay(None)
    if not display:
        raise RuntimeError("cannot open the display")
    try:
        root = x11.XDefaultRootWindow(display)
        x11.XSelectInput(display, root, _STRUCTURE_NOTIFY | _SUBSTRUCTURE_NOTIFY)
        ping = x11.XInternAtom(display, b"_NET_WM_PING", False)
        stamp = int(time.monotonic() * 1000) & 0x7FFFFFFF
        event = _Event()
        event.client.type = _CLIENT_MESSAGE
        event.client.window = window_id
        event.client.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", False)
        event.client.format = 32
        event.client.data[0] = ping
        event.client.data[1] = stamp
        event.client.data[2] = window_id
        x11.XSendEvent(display, window_id, False, 0, ctypes.byref(event))
        x11.XFlush(display)
        return _pong_arrives(x11, display, ping, stamp, time.monotonic() + seconds)
    finally:
        x11.XCloseDisplay(display)


def _pong_arrives(x11, display, ping, stamp, deadline):
    reply = _Event()
    while time.monotonic() < deadline:
        while x11.XPending(display):
            x11.XNextEvent(display, ctypes.byref(reply))
            message = reply.client
            if (message.type == _CLIENT_MESSAGE and message.data[0] == ping
                    and message.data[1] == stamp):
                return True
        time.sleep(0.05)
    return False
