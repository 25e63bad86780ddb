// Carries out a script of user actions on the real windows of the View
// Manager and on the simulated session.
#pragma once

#include "tools/devhost/dialog_watch.h"
#include "tools/devhost/plugin_library.h"
#include "tools/devhost/script.h"

#include <string>

namespace devhost {

class ScriptRunner {
  public:
    ScriptRunner(const PluginLibrary& plugin, DialogWatch& watch, int unloadMode)
        : plugin_(plugin), watch_(watch), unloadMode_(unloadMode) {}

    // Runs the lines in order; false at the first line that cannot be
    // carried out, with "line N: why" in error.
    bool Run(const std::vector<ScriptLine>& lines, std::string& error);

  private:
    // One action; false, with the reason in error, when it cannot be done.
    bool perform(const ScriptLine& line, std::string& error);
    bool answer(const ScriptLine& line, std::string& error);

    const PluginLibrary& plugin_;
    DialogWatch& watch_;
    int unloadMode_;
};

} // namespace devhost
