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
    // With keepGoing a line that cannot be carried out is passed over (a
    // session in which the plug-in may refuse any step); without, it stops
    // the script.
    ScriptRunner(PluginLibrary& plugin, DialogWatch& watch, int unloadMode, bool keepGoing)
        : plugin_(plugin), watch_(watch), unloadMode_(unloadMode), keepGoing_(keepGoing) {}

    // Runs the lines in order; false at the first line that cannot be
    // carried out, with "line N: why" in error. Lines passed over are in
    // Skipped(), in the same form.
    bool Run(const std::vector<ScriptLine>& lines, std::string& error);
    const std::vector<std::string>& Skipped() const { return skipped_; }

  private:
    // One action; false, with the reason in error, when it cannot be done.
    bool perform(const ScriptLine& line, std::string& error);
    bool answer(const ScriptLine& line, std::string& error);
    bool unload(std::string& error);

    PluginLibrary& plugin_;
    DialogWatch& watch_;
    int unloadMode_;
    bool keepGoing_;
    std::vector<std::string> skipped_;
};

} // namespace devhost
