// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "uianotifier.h"

#include <QString>
#include <QWidget>

#include <windows.h>

#include <oleauto.h>
#include <uiautomationcore.h>

namespace
{

// From the Windows SDK's UIAutomationCore(Api).h; MinGW's API header does not compile as C++.
// The announcer does not know what an announcement is about (an item, a check's result).
enum NotificationKind { NotificationKind_Other = 4 };
// Every announcement is delivered, in the order given, without cutting off what the reader is
// saying: the MostRecent kinds would let an item replace the one before it, and the Important
// ones interrupt, so that at a fast pace each item would cut off the last.
enum NotificationProcessing { NotificationProcessing_All = 2 };

using ClientsAreListening = BOOL(WINAPI *)();
using HostProviderFromHwnd = HRESULT(WINAPI *)(HWND, IRawElementProviderSimple **);
using RaiseNotificationEvent = HRESULT(WINAPI *)(IRawElementProviderSimple *, NotificationKind,
                                                 NotificationProcessing, BSTR, BSTR);

struct UiaFunctions {
    ClientsAreListening clientsAreListening = nullptr;
    HostProviderFromHwnd hostProviderFromHwnd = nullptr;
    RaiseNotificationEvent raiseNotificationEvent = nullptr;
};

template <typename Function> Function resolve(HMODULE module, const char *name)
{
    // Through the generic function type, which any function pointer converts from silently.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

UiaFunctions load()
{
    // Only the system's own DLL, never one beside the program or on the path.
    HMODULE module = LoadLibraryExW(L"uiautomationcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!module)
        return {};
    UiaFunctions uia{resolve<ClientsAreListening>(module, "UiaClientsAreListening"),
                     resolve<HostProviderFromHwnd>(module, "UiaHostProviderFromHwnd"),
                     resolve<RaiseNotificationEvent>(module, "UiaRaiseNotificationEvent")};
    if (!uia.clientsAreListening || !uia.hostProviderFromHwnd || !uia.raiseNotificationEvent) {
        FreeLibrary(module);
        return {};
    }
    return uia; // kept loaded for the program's life
}

// Looked up once: where the function is missing, every announcement after is a null test.
const UiaFunctions &uia()
{
    static const UiaFunctions functions = load();
    return functions;
}

void raise(IRawElementProviderSimple *element, const QString &text)
{
    static const QString activity = QStringLiteral("announcement");
    BSTR display =
        SysAllocStringLen(reinterpret_cast<const OLECHAR *>(text.utf16()), UINT(text.size()));
    BSTR activityId = SysAllocStringLen(reinterpret_cast<const OLECHAR *>(activity.utf16()),
                                        UINT(activity.size()));
    if (display && activityId)
        uia().raiseNotificationEvent(element, NotificationKind_Other, NotificationProcessing_All,
                                     display, activityId);
    SysFreeString(display);
    SysFreeString(activityId);
}

} // namespace

namespace forms
{

void UiaNotifier::announce(const QObject *form, const QString &message, const QString &detail)
{
    if (!uia().raiseNotificationEvent || message.isEmpty())
        return;
    // Nobody to hear it, no element is made for each item: Qt raises its own events on the same
    // condition, which is true on Windows once any screen reader (any UI Automation client) has
    // run. Wine 8 always says false, but has no notifications either.
    if (!uia().clientsAreListening())
        return;
    const auto *widget = qobject_cast<const QWidget *>(form);
    const WId window = widget ? widget->window()->internalWinId() : 0;
    IRawElementProviderSimple *element = nullptr;
    if (!window || FAILED(uia().hostProviderFromHwnd(reinterpret_cast<HWND>(window), &element)) ||
        !element)
        return;
    raise(element, message);
    if (!detail.isEmpty())
        raise(element, detail);
    element->Release();
}

} // namespace forms
