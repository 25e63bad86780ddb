#include "entry/view_manager_command.h"

#include "config/handler_failure.h"
#include "config/product_codes.h"
#include "config/product_defaults.h"
#include "config/product_paths.h"
#include "config/view_config_file.h"
#include "config/view_config_location.h"
#include "host/host_api.h"
#include "host/host_calls.h"
#include "host/host_session_bracket.h"

#include <cctype>
#include <cstring>

namespace {

constexpr char kHelpContext[] = "QVLJB_view_manager";
constexpr char kHelpMapName[] = "/application/qvl_help.tbl";
// Longer than any operating system's name the host reports.
constexpr size_t kSystemNameSize = 257;

// The help map path below the first product directory that is set. Quiet:
// without help the command still works, so nothing is reported.
bool resolveHelpMap(char* path, size_t size) {
    for (const char* variable : kViewManagerProductVariables) {
        char* directory = nullptr;
        if (UF_translate_variable(variable, &directory) != 0 || !directory || !*directory)
            continue;
        return join_product_path(directory, nullptr, kHelpMapName, path, size) !=
               kProductPathTooLong;
    }
    return false;
}

// The help map and context while the command runs; taken down in reverse
// order when it leaves.
class CommandHelp {
  public:
    CommandHelp() {
        if (!resolveHelpMap(mapPath_, sizeof mapPath_) || !HostFileExists(mapPath_))
            return;
        mapLoaded_ = UF_HELP_load_map_file(mapPath_) == 0;
        contextPushed_ = UF_HELP_push_context(kHelpContext) == 0;
    }
    ~CommandHelp() {
        if (contextPushed_)
            UF_HELP_pop_context();
        if (mapLoaded_)
            UF_HELP_unload_map_file(mapPath_);
    }
    CommandHelp(const CommandHelp&) = delete;
    CommandHelp& operator=(const CommandHelp&) = delete;

  private:
    char mapPath_[kViewConfigPathSize] = "";
    bool mapLoaded_ = false;
    bool contextPushed_ = false;
};

// False only when the host names an operating system other than Windows;
// a host that cannot tell is given the benefit of the doubt.
bool runsOnWindows() {
    UF_system_info_t info{};
    bool windows = true;
    if (UF_ask_system_info(&info) == 0 && info.os_name) {
        // The host's text is only lent: the lower-case copy is ours, and a
        // name without its end is read no further than the copy holds.
        char name[kSystemNameSize] = "";
        for (size_t i = 0; i + 1 < sizeof name && info.os_name[i]; ++i)
            name[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(info.os_name[i])));
        windows = std::strstr(name, "windows") != nullptr;
    }
    if (!windows)
        ShowHostMessage("Operating system should be Windows.");
    UF_free_system_info(&info);
    return windows;
}

bool findConfigFile(char* path) {
    char name[kViewConfigNameSize] = "";
    // A name too long for the buffer cannot name the file: say so rather
    // than look for a cut name.
    if (ask_product_default(kDieDesignProduct, kViewConfigNameKey, kWorkPartUnits, kDefaultString,
                            name, sizeof name) == 0 &&
        find_view_config_file(name, path, kViewConfigPathSize))
        return true;
    ShowHostMessage("Incorrect path or name of qvl_view.xml");
    return false;
}

void runCommand(ViewManagerDialogStep& dialog) {
    HostSessionBracket session(HostSessionBracket::Opening::Always);
    if (!session.IsOpen())
        return;
    CommandHelp help;
    if (UF_PART_ask_display_part() == NULL_TAG)
        return;
    if (!runsOnWindows())
        return;
    char path[kViewConfigPathSize] = "";
    if (!findConfigFile(path) || !CheckViewConfigFile(path))
        return;
    dialog.CreateOrShow();
}

} // namespace

void RunViewManagerCommand(ViewManagerDialogStep& dialog) noexcept {
    // The host session and the help context are given back before the user
    // is told.
    TellHandlerFailure(CatchHandlerFailure([&dialog] { runCommand(dialog); }),
                       FailureOutcome::kNotStarted);
}
