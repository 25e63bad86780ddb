#include "model/find_ignoring_case.h"

#include <algorithm>

namespace {

// The rows' texts are in the ANSI code page: only ASCII letters are folded.
char folded(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

size_t FindIgnoringCase(std::string_view label, std::string_view text) {
    if (text.empty())
        return std::string_view::npos;
    const auto found = std::search(label.begin(), label.end(), text.begin(), text.end(),
                                   [](char a, char b) { return folded(a) == folded(b); });
    return found == label.end() ? std::string_view::npos
                                : static_cast<size_t>(found - label.begin());
}
