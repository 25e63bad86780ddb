// What a screen reader gets from the View Manager's list on the demo: the
// text requests a reader sends from its own process answered with the
// reader's words, and the list's accessible object with its rows as a tree.
// That a reader gets the object through WM_GETOBJECT is not tested: Wine's
// LresultFromObject cannot marshal IAccessible.
#include "model/cell_pictures.h"
#include "ui/tests/view_manager_fixture.h"

#include <oleacc.h>

#include <string>

namespace {

// A shown cell's text as a reader in another process asks for it.
std::wstring heard(HWND list, int row, int column) {
    wchar_t text[300] = L"?";
    LVITEMW request = {};
    request.iSubItem = column;
    request.pszText = text;
    request.cchTextMax = 300;
    const LRESULT length = sendFromAnotherThread(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                                 reinterpret_cast<LPARAM>(&request));
    EXPECT_EQ(static_cast<LRESULT>(wcslen(text)), length);
    return text;
}

std::wstring wide(const std::string& text) {
    return {text.begin(), text.end()};
}

// The stored text of an item in the complete list, after its picture index.
std::string storedLabel(HWND list, int item) {
    char text[300] = "";
    ListView_GetItemText(GetDlgItem(list, kCompleteListId), item, 0, text, sizeof text);
    const char* colon = strchr(text, ':');
    return colon ? colon + 1 : text;
}

TEST_F(ViewManager, AReaderHearsTheLabelTheStatesInWordsAndTheCount) {
    ufusr();
    ASSERT_NE(nullptr, dialog());
    TreeListCtrl& list = dlg().m_list;
    const int item = static_cast<int>(list.GetItemData(0));
    ASSERT_EQ(kPictureShown, list.GetItemBitmapId(item, kColumnBlank));

    EXPECT_EQ(wide(storedLabel(list.m_hWnd, item)), heard(list.m_hWnd, 0, kColumnLabel));
    EXPECT_EQ(L"shown", heard(list.m_hWnd, 0, kColumnBlank));
    EXPECT_EQ(L"red ", heard(list.m_hWnd, 0, kColumnColor).substr(0, 4));
    EXPECT_EQ(std::to_wstring(list.GetItemNumber(item)),
              heard(list.m_hWnd, 0, kColumnAttributeCount));

    dlg().Commands().OnClickList(0, 0, kColumnBlank, true);
    EXPECT_EQ(L"blanked", heard(list.m_hWnd, 0, kColumnBlank));
    // The drawing keeps its stored text, picture index first.
    char stored[300] = "";
    list.GetCellText(0, kColumnLabel, stored, sizeof stored);
    EXPECT_EQ("0:" + storedLabel(list.m_hWnd, item), stored);

    // A short buffer gets the words' beginning; a whole-item request its
    // words with the rest of the item.
    char shortText[4] = "???";
    LVITEMA request = {};
    request.mask = LVIF_TEXT | LVIF_PARAM;
    request.iSubItem = kColumnBlank;
    request.pszText = shortText;
    request.cchTextMax = sizeof shortText;
    EXPECT_TRUE(
        sendFromAnotherThread(list.m_hWnd, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&request)));
    EXPECT_STREQ("bla", shortText);
    EXPECT_EQ(shortText, request.pszText);
    EXPECT_EQ(item, static_cast<int>(request.lParam));
    // A row that is not shown has no words.
    EXPECT_EQ(L"", heard(list.m_hWnd, list.GetShownRowCount(), kColumnBlank));
}

struct Child {
    VARIANT id;
    explicit Child(long row) : id() {
        id.vt = VT_I4;
        id.lVal = row + 1;
    }
};

// A text the object answers for a row, or "<failed>".
template <class Ask> std::wstring askText(Ask ask) {
    BSTR text = nullptr;
    const HRESULT result = ask(&text);
    std::wstring copy = SUCCEEDED(result) && text ? text : L"<failed>";
    SysFreeString(text);
    return copy;
}

long roleOf(IAccessible* object, long row) {
    VARIANT role = {};
    EXPECT_EQ(S_OK, object->get_accRole(Child(row).id, &role));
    return role.lVal;
}

long stateOf(IAccessible* object, long row) {
    VARIANT state = {};
    EXPECT_EQ(S_OK, object->get_accState(Child(row).id, &state));
    return state.lVal;
}

TEST_F(ViewManager, TheAccessibleListIsATreeOfRowsUntilTheDialogGoes) {
    ufusr();
    ASSERT_NE(nullptr, dialog());
    TreeListCtrl& list = dlg().m_list;
    // What WM_GETOBJECT hands out (Wine cannot marshal it to the caller).
    IAccessible* object = list.GetAccessibleObject();
    ASSERT_NE(nullptr, object);
    const int top = static_cast<int>(list.GetItemData(0));
    ASSERT_TRUE(list.HasChildItems(top));
    ASSERT_TRUE(list.IsExpanded(top));

    EXPECT_EQ(ROLE_SYSTEM_OUTLINE, roleOf(object, -1));
    EXPECT_EQ(ROLE_SYSTEM_OUTLINEITEM, roleOf(object, 0));
    EXPECT_EQ(wide(storedLabel(list.m_hWnd, top)),
              askText([&](BSTR* text) { return object->get_accName(Child(0).id, text); }));
    EXPECT_EQ(L"0", askText([&](BSTR* text) { return object->get_accValue(Child(0).id, text); }));
    EXPECT_EQ(L"1", askText([&](BSTR* text) { return object->get_accValue(Child(1).id, text); }));
    const std::wstring description =
        askText([&](BSTR* text) { return object->get_accDescription(Child(0).id, text); });
    EXPECT_EQ(0u, description.find(L"Blank/Unblank: shown, Isolate: shown, Color: red "))
        << std::string(description.begin(), description.end());
    EXPECT_NE(std::wstring::npos, description.find(L", Attribute Count: "));
    EXPECT_TRUE(stateOf(object, 0) & STATE_SYSTEM_EXPANDED);
    EXPECT_FALSE(stateOf(object, 0) & STATE_SYSTEM_COLLAPSED);

    list.CollapseItem(top);
    EXPECT_TRUE(stateOf(object, 0) & STATE_SYSTEM_COLLAPSED);
    // The rows it hid name nothing now.
    BSTR text = nullptr;
    EXPECT_EQ(E_INVALIDARG, object->get_accName(Child(1).id, &text));

    // A reader may hold the object after the dialog has gone: it answers
    // that the list is gone.
    dlg().DestroyWindow();
    pumpMessages();
    EXPECT_EQ(RPC_E_DISCONNECTED, object->get_accName(Child(0).id, &text));
    EXPECT_EQ(RPC_E_DISCONNECTED, object->get_accChildCount(nullptr));
    object->Release();
}

} // namespace
