// Finding files below the installation directories of the product family.
#pragma once

#include <cstddef>

// Result of join_product_path when a text does not fit its work buffer or
// the output, and of the resolvers when the file is not found.
constexpr int kProductPathTooLong = -1;
constexpr int kProductFileNotFound = -1;

// Joins directory, relative directory and file name (either may be null)
// into output with back-slashes only and one back-slash between the pieces,
// and returns the host's existence check of the result, 0 when the file
// exists. A "::" and what follows it in the result are kept in the output but
// not checked. With neither relative directory nor name, the output is not
// written and what the caller left in it is checked. The output holds
// outputSize bytes; a path that does not fit is refused with an empty output
// and kProductPathTooLong instead of being cut, because the callers' buffers
// are fixed and the directories come from the site's environment.
int join_product_path(const char* directory, const char* relative, const char* name, char* output,
                      size_t outputSize);

// Finds relative/name below the product directory that the environment
// variable of the product names (the caller's variable for the die and
// mould design products, a fixed one for the others). Returns 0 with the
// path in output, or kProductFileNotFound. An unset variable is reported in
// the host's message box.
int find_product_file(int applicationCode, const char* variable, const char* relative,
                      const char* name, char* output, size_t outputSize);

// As find_product_file; when the product directory does not hold the file,
// looks for it in the product's own directory below "KZII_BASE_DIR". The
// output is emptied first.
int find_product_file_or_base(int applicationCode, const char* variable, const char* relative,
                              const char* name, char* output, size_t outputSize);
