// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// uiautomationcore.dll for tests under Wine, whose own has no notification events: it records
// each UiaRaiseNotificationEvent, says a client listens, and forwards every other export to
// Wine's own DLL, copied beside it as uiautomationcore_wine.dll (uiautomationcore.def).
// Each notification is one UTF-8 line appended to the file TAVRIN_UIA_RECORD names:
//   X window of the element's window <TAB> its title <TAB> kind <TAB> processing <TAB> activity
//   <TAB> text

#include <windows.h>

#include <oleauto.h>
#include <uiautomationcore.h>

namespace
{

constexpr PROPERTYID NativeWindowHandle = 30020; // UIA_NativeWindowHandlePropertyId

// The window an element belongs to: its own handle, or its host's.
HWND windowOf(IRawElementProviderSimple *element)
{
    HWND window = nullptr;
    VARIANT value;
    VariantInit(&value);
    if (SUCCEEDED(element->GetPropertyValue(NativeWindowHandle, &value)) && value.vt == VT_I4)
        window = HWND(LONG_PTR(value.lVal));
    VariantClear(&value);
    IRawElementProviderSimple *host = nullptr;
    if (!window && SUCCEEDED(element->get_HostRawElementProvider(&host)) && host) {
        window = windowOf(host);
        host->Release();
    }
    return window;
}

} // namespace

extern "C" BOOL WINAPI UiaClientsAreListening()
{
    return TRUE;
}

extern "C" HRESULT WINAPI UiaRaiseNotificationEvent(IRawElementProviderSimple *element, int kind,
                                                    int processing, BSTR text, BSTR activity)
{
    wchar_t path[MAX_PATH];
    if (!element || !GetEnvironmentVariableW(L"TAVRIN_UIA_RECORD", path, MAX_PATH))
        return E_INVALIDARG;
    const HWND window = windowOf(element);
    wchar_t title[256] = L"";
    if (window)
        GetWindowTextW(window, title, 256);
    // One line in one write, so that a reader never sees half of it.
    wchar_t line[1024];
    const int length =
        wsprintfW(line, L"%lu\t%s\t%d\t%d\t%s\t%s\n",
                  DWORD(ULONG_PTR(GetPropW(window, L"__wine_x11_whole_window"))), title, kind,
                  processing, activity ? activity : L"", text ? text : L"");
    char utf8[4096];
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, line, length, utf8, sizeof utf8, nullptr, nullptr);
    const HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return E_FAIL;
    DWORD written = 0;
    WriteFile(file, utf8, DWORD(size), &written, nullptr);
    CloseHandle(file);
    return S_OK;
}
