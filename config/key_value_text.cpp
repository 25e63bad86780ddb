#include "config/key_value_text.h"

#include <algorithm>

namespace {

void trim_back(std::string& text, char c) {
    const size_t last = text.find_last_not_of(c);
    text.erase(last == std::string::npos ? 0 : last + 1);
}

void trim_front(std::string& text, char c) {
    text.erase(0, text.find_first_not_of(c));
}

} // namespace

std::string CleanKeyValue(std::string text) {
    // Every line feed goes, adjacent ones too: a key value is matched against
    // single-line attribute values.
    text.erase(std::remove(text.begin(), text.end(), '\n'), text.end());
    trim_back(text, ' ');
    trim_front(text, ' ');
    trim_front(text, '\t');
    trim_back(text, '\t');
    return text;
}
