// Finding a designer's text in the rows' texts, as the filter and the list's
// marks do alike.
#pragma once

#include <cstddef>
#include <string_view>

// Where text first occurs in label, the case of ASCII letters aside;
// std::string_view::npos when it does not, or when text is empty.
size_t FindIgnoringCase(std::string_view label, std::string_view text);
