// The entry points the host calls in the plug-in library.
#include "entry/view_manager_command.h"
#include "host/host_user_function.h"
#include "ui/view_manager_instance.h"
#include "wnd/window.h"

#include <windows.h>

#include <type_traits>

namespace {

class ViewManagerDialog : public ViewManagerDialogStep {
  public:
    void CreateOrShow() override { CreateOrShowViewManager(); }
};

} // namespace

extern "C" {

__declspec(dllexport) void ufusr(char*, int*, int) {
    ViewManagerDialog dialog;
    RunViewManagerCommand(dialog);
}

// The modeless dialog and its handlers outlive the call, so the library may
// go only when the host session ends.
__declspec(dllexport) int ufusr_ask_unload(void) {
    return HOST_UNLOAD_AT_TERMINATION;
}

// The host frees the library next: no window, procedure or property of the
// plug-in may still point into it.
__declspec(dllexport) void ufusr_cleanup(void) {
    CWnd::ReleaseAllWindows();
}

} // extern "C"

// The exports must keep the host's calling shapes.
static_assert(std::is_same_v<decltype(&ufusr), UserFunctionEntry>);
static_assert(std::is_same_v<decltype(&ufusr_ask_unload), UserFunctionAskUnload>);
static_assert(std::is_same_v<decltype(&ufusr_cleanup), UserFunctionCleanup>);
