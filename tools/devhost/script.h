// A script of user actions for the development host: one action a line;
// blank lines and lines starting with # are skipped.
#pragma once

#include <string>
#include <vector>

namespace devhost {

struct ScriptWord {
    std::string text;
    bool quoted = false; // written in double quotes
};

struct ScriptLine {
    int number = 0;
    std::vector<ScriptWord> words; // the action first
    std::string rest;              // what follows the action, as written
};

// The action lines of the script text. False, with the reason in error, for
// a line whose quotes are not closed.
bool ParseScript(const std::string& text, std::vector<ScriptLine>& lines, std::string& error);

} // namespace devhost
