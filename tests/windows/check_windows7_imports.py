"""Corvane4.0.exe loads on Windows 7 SP1: it imports no function that only later systems
export (the loader refuses a program that does, before it runs), and its manifest names every
system it supports. Arguments: objdump, the program."""

import re
import subprocess
import sys

# Functions of the program's libraries that Windows 7 SP1 lacks, and the first system that has
# them. The program looks these up at run time when it wants them.
LATER = {
    "user32.dll": {
        "AdjustWindowRectExForDpi": "10 1607", "AreDpiAwarenessContextsEqual": "10 1607",
        "EnableMouseInPointer": "8", "EnableNonClientDpiScaling": "10 1607",
        "GetAwarenessFromDpiAwarenessContext": "10 1607", "GetDpiForSystem": "10 1607",
        "GetDpiForWindow": "10 1607", "GetDpiFromDpiAwarenessContext": "10 1803",
        "GetPointerInfo": "8", "GetPointerType": "8", "GetSystemDpiForProcess": "10 1803",
        "GetSystemMetricsForDpi": "10 1607", "GetThreadDpiAwarenessContext": "10 1607",
        "GetWindowDpiAwarenessContext": "10 1607", "LogicalToPhysicalPointForPerMonitorDPI": "8.1",
        "PhysicalToLogicalPointForPerMonitorDPI": "8.1", "SetCoalescableTimer": "8",
        "SetDialogDpiChangeBehavior": "10 1703", "SetProcessDpiAwarenessContext": "10 1703",
        "SetThreadDpiAwarenessContext": "10 1607", "SetThreadDpiHostingBehavior": "10 1803",
        "SystemParametersInfoForDpi": "10 1607",
    },
    "kernel32.dll": {
        "CopyFile2": "8", "CreateFile2": "8", "GetCurrentPackageFullName": "8", "GetCurrentPackageId": "8",
        "GetFirmwareType": "8", "GetOverlappedResultEx": "8", "GetProcessInformation": "8",
        "GetProcessMitigationPolicy": "8", "GetSystemTimePreciseAsFileTime": "8",
        "GetTempPath2W": "10 20348", "GetThreadDescription": "10 1607", "PrefetchVirtualMemory": "8",
        "SetProcessInformation": "8", "SetProcessMitigationPolicy": "8", "SetThreadDescription": "10 1607",
        "VirtualAlloc2": "10 1803", "WaitOnAddress": "8", "WakeByAddressAll": "8", "WakeByAddressSingle": "8",
    },
}
# Libraries that Windows 7 does not have at all.
LATER_LIBRARIES = {"shcore.dll": "8.1", "api-ms-win-core-synch-l1-2-0.dll": "8"}
# Windows 7, 8, 8.1 and 10/11 in the manifest's compatibility section.
SUPPORTED_OS = ["{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
                "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"]


def imports(objdump, program):
    """{library (lower case): set of function names} from the program's import table."""
    table, library = {}, None
    for line in subprocess.run([objdump, "-p", program], capture_output=True, text=True, check=True).stdout.splitlines():
        if match := re.match(r"\s*DLL Name: (\S+)", line):
            library = match.group(1).lower()
            table[library] = set()
        elif library and (match := re.match(r"\s*[0-9a-f]+\s+\d+\s+(\w+)$", line)):
            table[library].add(match.group(1))
        elif not line.strip() and library and table[library]:
            library = None  # the end of this library's list
    return table


def main():
    objdump, program = sys.argv[1:3]
    table = imports(objdump, program)
    faults = []
    # A table read wrongly would pass: the program's window calls must be in it.
    if "CreateWindowExW" not in table.get("user32.dll", set()):
        faults.append(f"the import table was not read: {sorted(table)}")
    for library, functions in LATER.items():
        for name in sorted(table.get(library, set()) & functions.keys()):
            faults.append(f"{library} {name} (Windows {functions[name]})")
    for library, since in LATER_LIBRARIES.items():
        if library in table:
            faults.append(f"{library} (Windows {since})")
    embedded = open(program, "rb").read()
    for guid in SUPPORTED_OS:
        if guid.encode() not in embedded:
            faults.append(f"the manifest lacks supportedOS {guid}")
    for fault in faults:
        print("not on Windows 7 SP1:", fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
