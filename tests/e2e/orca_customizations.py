"""Orca's own hook for a user's customisations, copied into the test's private
preferences folder as orca-customizations.py; Orca loads it while it starts.

- Every line of the debug log is written at once, so that the test can wait for
  what Orca said by reading the log (Python buffers a file it opens otherwise).
- Orca refuses to start while any process of the same user is named "orca", and
  another user's `orca --replace` ends every such process. This Orca has its own X
  server, session bus, accessibility bus and speech server and disturbs no other
  screen reader, so it gives itself another name and skips that check.
"""

import ctypes
import sys

from orca import debug

if debug.debugFile:
    debug.debugFile.reconfigure(line_buffering=True)

PR_SET_NAME = 15
ctypes.CDLL("libc.so.6").prctl(PR_SET_NAME, b"griff-orca", 0, 0, 0)

launcher = sys.modules.get("__main__")
if launcher is not None and hasattr(launcher, "otherOrcas"):
    launcher.otherOrcas = lambda: []
