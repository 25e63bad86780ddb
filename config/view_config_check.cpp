// Checking a view configuration before it is used: the user hears of a
// file of the wrong form in the host's message box.
#include "config/view_config_file.h"
#include "host/host_calls.h"

bool CheckViewConfigFile(const char* path) {
    const ViewConfigFile config(path);
    if (config.Result() == kViewConfigFormatError)
        ShowHostMessage(kViewConfigFormatErrorMessage);
    return config.Result() == kViewConfigRead;
}
