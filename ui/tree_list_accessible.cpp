#include "ui/tree_list_accessible.h"

#include "ui/fit_text.h"
#include "ui/tree_list_ctrl.h"

#include <cstdio>
#include <new>

namespace {

// Room for a row's description: six titles and their words.
constexpr int kDescriptionSize = 1024;

HRESULT toBstr(const char* text, BSTR* out) {
    if (!out)
        return E_POINTER;
    wchar_t wide[kDescriptionSize] = L"";
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide, kDescriptionSize);
    wide[kDescriptionSize - 1] = L'\0';
    *out = SysAllocString(wide);
    return *out ? S_OK : E_OUTOFMEMORY;
}

// A column's title, empty when the list cannot tell.
void columnTitle(HWND list, int column, char* title, int size) {
    title[0] = '\0';
    LVCOLUMNA request = {};
    request.mask = LVCF_TEXT;
    request.pszText = title;
    request.cchTextMax = size;
    SendMessageA(list, LVM_GETCOLUMNA, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&request));
}

} // namespace

TreeListAccessible* TreeListAccessible::Create(TreeListCtrl& list) {
    IAccessible* system = nullptr;
    if (FAILED(CreateStdAccessibleObject(list.m_hWnd, OBJID_CLIENT, IID_IAccessible,
                                         reinterpret_cast<void**>(&system))))
        system = nullptr;
    auto* accessible = new (std::nothrow) TreeListAccessible(list, system);
    if (!accessible && system)
        system->Release();
    return accessible;
}

template <class Call> HRESULT TreeListAccessible::Forward(Call call) const {
    if (!m_list)
        return RPC_E_DISCONNECTED;
    return m_system ? call(m_system) : E_NOTIMPL;
}

TreeListAccessible::TreeListAccessible(TreeListCtrl& list, IAccessible* system)
    : m_list(&list), m_system(system) {}

TreeListAccessible::~TreeListAccessible() {
    if (m_system)
        m_system->Release();
}

void TreeListAccessible::Disconnect() {
    m_list = nullptr;
    if (m_system) {
        m_system->Release();
        m_system = nullptr;
    }
    // Stubs held for clients in other processes release their references.
    CoDisconnectObject(this, 0);
}

HRESULT TreeListAccessible::QueryInterface(REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    // The window and the children's enumeration are the system object's.
    return m_system ? m_system->QueryInterface(iid, object) : E_NOINTERFACE;
}

ULONG TreeListAccessible::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&m_references));
}

ULONG TreeListAccessible::Release() {
    const LONG left = InterlockedDecrement(&m_references);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

HRESULT TreeListAccessible::PositionOf(const VARIANT& child, int* position) const {
    if (!m_list)
        return RPC_E_DISCONNECTED;
    if (child.vt != VT_I4)
        return E_INVALIDARG;
    if (child.lVal == CHILDID_SELF) {
        *position = -1;
        return S_OK;
    }
    if (child.lVal < 1 || child.lVal > m_list->GetShownRowCount())
        return E_INVALIDARG;
    *position = static_cast<int>(child.lVal) - 1;
    return S_OK;
}

HRESULT TreeListAccessible::get_accName(VARIANT child, BSTR* name) {
    int position = -1;
    if (const HRESULT named = PositionOf(child, &position); FAILED(named))
        return named;
    if (position < 0)
        return Forward([&](IAccessible* system) { return system->get_accName(child, name); });
    char label[kCellTextSize] = "";
    m_list->GetReaderText(position, kTreeColumn, label, sizeof label);
    return toBstr(label, name);
}

HRESULT TreeListAccessible::get_accValue(VARIANT child, BSTR* value) {
    int position = -1;
    if (const HRESULT named = PositionOf(child, &position); FAILED(named))
        return named;
    if (position < 0)
        return Forward([&](IAccessible* system) { return system->get_accValue(child, value); });
    // As a tree view's items: the level, 0 at the top.
    char level[16] = "";
    static_cast<void>(
        snprintf(level, sizeof level, "%d",
                 m_list->GetItemLevel(static_cast<int>(m_list->GetItemData(position)))));
    return toBstr(level, value);
}

HRESULT TreeListAccessible::get_accDescription(VARIANT child, BSTR* description) {
    int position = -1;
    if (const HRESULT named = PositionOf(child, &position); FAILED(named))
        return named;
    if (position < 0)
        return Forward(
            [&](IAccessible* system) { return system->get_accDescription(child, description); });
    // "title: words" for each column after the label that has words.
    char text[kDescriptionSize] = "";
    int used = 0;
    const int columns = m_list->GetColumnCount();
    for (int column = kTreeColumn + 1; column < columns; ++column) {
        char words[kCellTextSize] = "";
        m_list->GetReaderText(position, column, words, sizeof words);
        if (words[0] == '\0')
            continue;
        char title[kCellTextSize] = "";
        columnTitle(m_list->m_hWnd, column, title, sizeof title);
        const int written = snprintf(text + used, sizeof text - static_cast<size_t>(used),
                                     "%s%s: %s", used ? ", " : "", title, words);
        if (written < 0 || used + written >= static_cast<int>(sizeof text))
            break;
        used += written;
    }
    return toBstr(text, description);
}

HRESULT TreeListAccessible::get_accRole(VARIANT child, VARIANT* role) {
    int position = -1;
    if (const HRESULT named = PositionOf(child, &position); FAILED(named))
        return named;
    if (!role)
        return E_POINTER;
    role->vt = VT_I4;
    role->lVal = position < 0 ? ROLE_SYSTEM_OUTLINE : ROLE_SYSTEM_OUTLINEITEM;
    return S_OK;
}

HRESULT TreeListAccessible::get_accState(VARIANT child, VARIANT* state) {
    int position = -1;
    if (const HRESULT named = PositionOf(child, &position); FAILED(named))
        return named;
    if (position < 0)
        return Forward([&](IAccessible* system) { return system->get_accState(child, state); });
    if (!state)
        return E_POINTER;
    const int item = static_cast<int>(m_list->GetItemData(position));
    const UINT listState = m_list->GetItemState(position, LVIS_SELECTED | LVIS_FOCUSED);
    long flags = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (listState & LVIS_SELECTED)
        flags |= STATE_SYSTEM_SELECTED;
    if ((listState & LVIS_FOCUSED) && GetFocus() == m_list->m_hWnd)
        flags |= STATE_SYSTEM_FOCUSED;
    if (m_list->ShowsChildItems(item))
        flags |= m_list->IsExpanded(item) ? STATE_SYSTEM_EXPANDED : STATE_SYSTEM_COLLAPSED;
    state->vt = VT_I4;
    state->lVal = flags;
    return S_OK;
}

// What follows is the system object's, while the list lives and where
// the system has one.

HRESULT TreeListAccessible::GetTypeInfoCount(UINT* count) {
    return Forward([&](IAccessible* system) { return system->GetTypeInfoCount(count); });
}

HRESULT TreeListAccessible::GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) {
    return Forward([&](IAccessible* system) { return system->GetTypeInfo(index, locale, info); });
}

HRESULT TreeListAccessible::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) {
    return Forward(
        [&](IAccessible* system) { return system->GetIDsOfNames(iid, names, count, locale, ids); });
}

HRESULT TreeListAccessible::Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argumentError) {
    return Forward([&](IAccessible* system) {
        return system->Invoke(id, iid, locale, flags, parameters, result, exception, argumentError);
    });
}

HRESULT TreeListAccessible::get_accParent(IDispatch** parent) {
    return Forward([&](IAccessible* system) { return system->get_accParent(parent); });
}

HRESULT TreeListAccessible::get_accChildCount(long* count) {
    if (!m_list)
        return RPC_E_DISCONNECTED;
    if (!count)
        return E_POINTER;
    *count = m_list->GetShownRowCount();
    return S_OK;
}

HRESULT TreeListAccessible::get_accChild(VARIANT child, IDispatch** object) {
    return Forward([&](IAccessible* system) { return system->get_accChild(child, object); });
}

HRESULT TreeListAccessible::get_accHelp(VARIANT child, BSTR* help) {
    return Forward([&](IAccessible* system) { return system->get_accHelp(child, help); });
}

HRESULT TreeListAccessible::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
    return Forward(
        [&](IAccessible* system) { return system->get_accHelpTopic(file, child, topic); });
}

HRESULT TreeListAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return Forward(
        [&](IAccessible* system) { return system->get_accKeyboardShortcut(child, shortcut); });
}

HRESULT TreeListAccessible::get_accFocus(VARIANT* child) {
    return Forward([&](IAccessible* system) { return system->get_accFocus(child); });
}

HRESULT TreeListAccessible::get_accSelection(VARIANT* children) {
    return Forward([&](IAccessible* system) { return system->get_accSelection(children); });
}

HRESULT TreeListAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    return Forward(
        [&](IAccessible* system) { return system->get_accDefaultAction(child, action); });
}

HRESULT TreeListAccessible::accSelect(long flags, VARIANT child) {
    return Forward([&](IAccessible* system) { return system->accSelect(flags, child); });
}

HRESULT TreeListAccessible::accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) {
    return Forward(
        [&](IAccessible* system) { return system->accLocation(left, top, width, height, child); });
}

HRESULT TreeListAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
    return Forward([&](IAccessible* system) { return system->accNavigate(direction, start, end); });
}

HRESULT TreeListAccessible::accHitTest(long left, long top, VARIANT* child) {
    return Forward([&](IAccessible* system) { return system->accHitTest(left, top, child); });
}

HRESULT TreeListAccessible::accDoDefaultAction(VARIANT child) {
    return Forward([&](IAccessible* system) { return system->accDoDefaultAction(child); });
}

HRESULT TreeListAccessible::put_accName(VARIANT child, BSTR name) {
    return Forward([&](IAccessible* system) { return system->put_accName(child, name); });
}

HRESULT TreeListAccessible::put_accValue(VARIANT child, BSTR value) {
    return Forward([&](IAccessible* system) { return system->put_accValue(child, value); });
}
