"""What the walk's Play starts: a stand-in for wine that plays a few seconds, and
a stand-in for the file manager the folder buttons open, both first on the
program's PATH and both inside the walk's own folder, the one the sandbox keeps.
While the stand-in plays, the game folder must not change."""
import os
import shutil

PLAY_SECONDS = 8

WINE = """#!/bin/sh
# Plays the stand-in game; the file "playing" names the run while it lasts.
echo "$$" >"{tools}/playing"
"{tools}/stand-in-wine" "$@"
status=$?
rm -f "{tools}/playing"
exit $status
"""

FILE_MANAGER = """#!/bin/sh
echo "$@" >>"{tools}/opened.txt"
"""


class StandIns:
    def __init__(self, work, source):
        self.tools = os.path.join(work, "walk-tools")
        os.makedirs(self.tools)
        shutil.copy(os.path.join(source, "tests", "e2e", "stand-in-wine"), self.tools)
        for name, text in (("wine", WINE), ("xdg-open", FILE_MANAGER)):
            path = os.path.join(self.tools, name)
            with open(path, "w", encoding="utf-8") as script:
                script.write(text.format(tools=self.tools))
            os.chmod(path, 0o755)

    def environment(self, environment):
        """The program's environment with the stand-ins first on its PATH."""
        return dict(environment, PATH=self.tools + os.pathsep + environment.get("PATH", ""),
                    STAND_IN_RECORD=os.path.join(self.tools, "played.txt"),
                    STAND_IN_SECONDS=str(PLAY_SECONDS))

    def playing(self):
        """The run of the stand-in game that plays now; None when none does."""
        try:
            with open(os.path.join(self.tools, "playing"), encoding="utf-8") as run:
                return run.read().strip() or None
        except FileNotFoundError:
            return None
