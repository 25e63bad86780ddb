// Cleaning of the text of a view configuration element into a key value.
#pragma once

#include <string>

// Removes every line feed, then trailing blanks, leading blanks, leading
// tabs and trailing tabs, in that order. Carriage returns stay. Each pass runs
// once, so blanks and tabs mixed at one end keep what the passes leave.
std::string CleanKeyValue(std::string text);
