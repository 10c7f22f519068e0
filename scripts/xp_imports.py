"""Which imported functions Windows XP SP2 lacks.

Windows itself is the only complete list, and none is on these machines, so
two offline checks stand in for it:
- a deny-list of the Vista-and-later functions that toolchains and their
  runtimes commonly pull in (names and name families);
- every other imported name must be declared by the MinGW-w64 headers when
  they are compiled for XP (_WIN32_WINNT=0x0501, msvcrt 7.0, which is XP's):
  the headers hide most of what XP lacks.
The C runtime's start-up entries (__getmainargs and the like) are declared by
no header; XP's msvcrt.dll has each of those listed in CRT_STARTUP.
"""
import functools
import os
import re
import shutil
import subprocess
import tempfile

# Exact names and prefixes (a trailing * ends a family).
VISTA_AND_LATER = """
GetTickCount64 QueryUnbiasedInterruptTime
InitializeSRWLock AcquireSRWLock* ReleaseSRWLock* TryAcquireSRWLock* SleepConditionVariable*
InitializeConditionVariable WakeConditionVariable WakeAllConditionVariable
InitOnce* FlsAlloc FlsFree FlsGetValue FlsSetValue
CreateEventEx* CreateMutexEx* CreateSemaphoreEx* CreateWaitableTimerEx*
InitializeCriticalSectionEx GetFileInformationByHandleEx SetFileInformationByHandle
CancelIoEx CancelSynchronousIo GetFinalPathNameByHandle* CreateSymbolicLink*
QueryFullProcessImageName* GetLocaleInfoEx LCMapStringEx CompareStringEx
GetUserDefaultLocaleName GetErrorMode SetThreadErrorMode GetThreadErrorMode
RegGetValue* RegDeleteTree* RegSetKeyValue* RegDeleteKeyEx* RegLoadMUIString*
SetProcessDPIAware SetProcessDpiAwareness* GetDpiForWindow GetDpiForSystem
ChangeWindowMessageFilter* SHGetKnownFolderPath SHCreateItemFromParsingName
GetSystemTimePreciseAsFileTime GetCurrentProcessorNumber* WerRegister*
""".split()

# msvcrt.dll entries used by MinGW-w64's start-up code and runtime, all in
# XP's msvcrt.dll (version 7.0) but declared by no public header.
CRT_STARTUP = set("""
__getmainargs __wgetmainargs __set_app_type __p__fmode __p__commode __p___argc
__p___argv __p__environ __p__acmdln __setusermatherr __dllonexit __lconv_init
__iob_func __mb_cur_max __initenv _initterm _amsg_exit _cexit _c_exit _onexit
_lock _unlock _iob _errno _fmode _commode _acmdln _XcptFilter _exit _assert
__C_specific_handler _fpreset __lc_codepage ___lc_codepage_func
___mb_cur_max_func __pctype_func _pctype __badioinfo __pioinfo _winmajor
""".split())

HEADERS = """windows.h shlobj.h shlwapi.h mmsystem.h commctrl.h hidsdi.h
stdio.h stdlib.h string.h wchar.h ctype.h math.h time.h errno.h locale.h
signal.h setjmp.h io.h fcntl.h process.h direct.h malloc.h float.h
sys/stat.h sys/types.h""".split()


def denied(name):
    for entry in VISTA_AND_LATER:
        if entry.endswith("*") and name.startswith(entry[:-1]) or name == entry:
            return True
    # The secure CRT came with msvcr80; XP's msvcrt.dll has none of it.
    return name.endswith("_s") and not name.startswith("__")


def compiler():
    for name in (os.environ.get("PIVORA_XP_CC", ""), "i686-w64-mingw32-gcc-win32", "i686-w64-mingw32-gcc"):
        if name and shutil.which(name):
            return name
    return None


@functools.lru_cache(maxsize=None)
def undeclared(names):
    """The names (a frozenset) the MinGW-w64 headers, compiled for XP, do
    not declare. Remembered: one compile per set of names."""
    cc = compiler()
    if cc is None:
        raise RuntimeError("no i686 MinGW-w64 compiler to check the imports against the XP headers")
    lines = [f"#include <{h}>" for h in HEADERS]
    lines.append("void pivora_xp_probe(void) {")
    probe = {}
    for name in sorted(names):
        lines.append(f"  (void)&{name};")
        probe[len(lines)] = name  # its line number in the file
    lines.append("}")
    with tempfile.TemporaryDirectory() as scratch:
        source = os.path.join(scratch, "probe.c")
        with open(source, "w") as f:
            f.write("\n".join(lines) + "\n")
        result = subprocess.run(
            [cc, "-fsyntax-only", "-fmax-errors=0", "-w", "-D_WIN32_WINNT=0x0501", "-DWINVER=0x0501",
             "-D__MSVCRT_VERSION__=0x0700", source],
            capture_output=True, text=True)
    missing = set()
    for line in result.stderr.splitlines():
        m = re.match(r".*probe\.c:(\d+):\d+: error:", line)
        if m and int(m.group(1)) in probe:
            missing.add(probe[int(m.group(1))])
    if result.returncode != 0 and not missing:
        raise RuntimeError("the XP header probe did not compile:\n" + result.stderr[-2000:])
    return missing


def problems(binary, imports):
    """imports: {dll name: [function names]} -> a list of problem lines."""
    found = []
    to_probe = set()
    for dll, names in imports.items():
        for name in names:
            if name.startswith("#"):
                found.append(f"{binary}: imports {dll} by ordinal {name[1:]}, which cannot be checked")
            elif denied(name):
                found.append(f"{binary}: imports {dll}!{name}, which Windows XP SP2 does not have")
            elif not (dll.lower() == "msvcrt.dll" and name in CRT_STARTUP):
                to_probe.add((dll, name))
    missing = undeclared(frozenset(name for _, name in to_probe)) if to_probe else set()
    for dll, name in sorted(to_probe):
        if name in missing:
            found.append(f"{binary}: imports {dll}!{name}, which the Windows XP SP2 headers do not declare")
    return found
