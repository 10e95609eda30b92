// Where both programs let the system look for DLLs. Started from Downloads,
// a program would otherwise take a DLL that is not one of the system's own
// known ones from its own folder, whoever left it there; elevated, that DLL
// would run as the administrator.
#pragma once
#include <windows.h>

// The first thing each program does. SetDefaultDllDirectories limits every
// later load to the system folder (Windows 8 on, and 7 with its update);
// without it, the current folder at least is taken out of the search.
inline void limit_dll_search() {
    using SetDefault = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    auto set_default = kernel ? reinterpret_cast<SetDefault>(
                                    reinterpret_cast<void (*)()>(GetProcAddress(kernel, "SetDefaultDllDirectories")))
                              : nullptr;
    if (!set_default || !set_default(LOAD_LIBRARY_SEARCH_SYSTEM32)) SetDllDirectoryW(L"");
}
