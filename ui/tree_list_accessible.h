// What accessibility clients (screen readers) get for the tree list: the
// system's own object for a list view, with the rows as a tree reader
// expects them: outline items named by their label, the level as their
// value, expanded or collapsed in their state, and the states of the
// command columns in words as their description, and their number.
// Everything else is the system object's, where the system has one.
#pragma once

#include <windows.h>

#include <oleacc.h>

class TreeListCtrl;

class TreeListAccessible final : public IAccessible {
  public:
    // The object for list, with the system's object for it if there is
    // one; nullptr when it cannot be allocated. Its one reference is the
    // caller's.
    static TreeListAccessible* Create(TreeListCtrl& list);
    // The list is going: every later request fails, and clients in other
    // processes are let go.
    void Disconnect();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override;
    // IAccessible: what the rows answer
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    // IAccessible: the system object's
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

  private:
    TreeListAccessible(TreeListCtrl& list, IAccessible* system);
    ~TreeListAccessible();
    TreeListAccessible(const TreeListAccessible&) = delete;
    TreeListAccessible& operator=(const TreeListAccessible&) = delete;

    // The shown row a child id names, -1 for the list itself; E_INVALIDARG
    // when the id names nothing, RPC_E_DISCONNECTED when the list is gone.
    HRESULT PositionOf(const VARIANT& child, int* position) const;
    // call on the system object; fails when the list is gone or there is
    // no system object.
    template <class Call> HRESULT Forward(Call call) const;

    LONG m_references = 1;
    TreeListCtrl* m_list;
    IAccessible* m_system;
};
