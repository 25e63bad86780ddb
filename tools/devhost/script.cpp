#include "tools/devhost/script.h"

#include <sstream>

namespace devhost {

namespace {

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool splitWords(const std::string& line, std::vector<ScriptWord>& words) {
    size_t at = 0;
    while (true) {
        at = line.find_first_not_of(" \t", at);
        if (at == std::string::npos)
            return true;
        ScriptWord word;
        if (line[at] == '"') {
            const size_t end = line.find('"', at + 1);
            if (end == std::string::npos)
                return false;
            word = {line.substr(at + 1, end - at - 1), true};
            at = end + 1;
        } else {
            const size_t end = line.find_first_of(" \t", at);
            word.text = line.substr(at, end == std::string::npos ? std::string::npos : end - at);
            at = end == std::string::npos ? line.size() : end;
        }
        words.push_back(word);
    }
}

} // namespace

bool ParseScript(const std::string& text, std::vector<ScriptLine>& lines, std::string& error) {
    std::istringstream in(text);
    std::string raw;
    for (int number = 1; std::getline(in, raw); ++number) {
        const std::string line = trimmed(raw);
        if (line.empty() || line[0] == '#')
            continue;
        ScriptLine parsed;
        parsed.number = number;
        if (!splitWords(line, parsed.words)) {
            error = "line " + std::to_string(number) + ": a quote is not closed";
            return false;
        }
        const size_t space = line.find_first_of(" \t");
        parsed.rest = space == std::string::npos ? "" : trimmed(line.substr(space));
        lines.push_back(parsed);
    }
    return true;
}

} // namespace devhost
