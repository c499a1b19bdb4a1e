"""Corvane4.0.exe loads on Windows 7 SP1: no function of a later system in its import table (the
loader would refuse it), and its manifest names 7, 8, 8.1 and 10/11. Arguments: objdump, program."""

import re
import subprocess
import sys

# Functions of the program's libraries that Windows 7 SP1 lacks (Windows 8 and later).
LATER = set("""AdjustWindowRectExForDpi EnableNonClientDpiScaling GetDpiForSystem GetDpiForWindow GetPointerInfo
GetSystemMetricsForDpi GetThreadDpiAwarenessContext LogicalToPhysicalPointForPerMonitorDPI SetCoalescableTimer
SetProcessDpiAwarenessContext SetThreadDpiAwarenessContext SystemParametersInfoForDpi CreateFile2
GetSystemTimePreciseAsFileTime SetThreadDescription WaitOnAddress""".split())
SUPPORTED_OS = """35138b9a-5d96-4fbd-8e2d-a2440225f93a 4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38
1f676c76-80e1-4239-95bb-83d0f6d0da78 8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a""".split()

objdump, program = sys.argv[1:3]
table = subprocess.run([objdump, "-p", program], capture_output=True, text=True, check=True).stdout
imported = set(re.findall(r"^\s+[0-9a-f]+\s+\d+\s+(\w+)$", table, re.M))
libraries = {name.lower() for name in re.findall(r"DLL Name: (\S+)", table)}
faults = sorted(imported & LATER) + sorted(libraries & {"shcore.dll"})
faults += [f"no supportedOS {{{guid}}}" for guid in SUPPORTED_OS if guid.encode() not in open(program, "rb").read()]
if "CreateWindowExW" not in imported:  # a table read wrongly would pass
    faults.append("the import table was not read")
print("\n".join(f"not for Windows 7 SP1: {fault}" for fault in faults))
sys.exit(1 if faults else 0)
