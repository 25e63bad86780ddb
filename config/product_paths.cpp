#include "config/product_paths.h"

#include "config/bounded_text.h"
#include "config/product_codes.h"
#include "host/host_api.h"
#include "host/host_calls.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// Directory, relative directory and file name are each joined in a work
// buffer of this size.
constexpr size_t kWorkBufferSize = 257;

bool is_separator(char c) {
    return c == '/' || c == '\\';
}

bool copy_with_backslashes(char (&buffer)[kWorkBufferSize], const char* text) {
    if (!CopyBounded(buffer, sizeof buffer, text))
        return false;
    std::replace(buffer, buffer + std::strlen(buffer), '/', '\\');
    return true;
}

// directory, then part, with exactly the one separator that part brings or
// that is put between them.
bool append_part(char (&directory)[kWorkBufferSize], const char* part, char* output,
                 size_t outputSize) {
    const size_t length = std::strlen(directory);
    if (length > 0 && is_separator(directory[length - 1]))
        directory[length - 1] = '\0';
    return JoinBounded(output, outputSize, {directory, is_separator(part[0]) ? "" : "\\", part});
}

// The join without the existence check. The directory text is trimmed on a
// copy: it may be the host's own text of an environment variable.
bool build_product_path(const char* directory, const char* relative, const char* name, char* output,
                        size_t outputSize) {
    std::string trimmed = directory;
    trimmed.erase(trimmed.find_last_not_of(' ') + 1);
    char directoryBuffer[kWorkBufferSize];
    char relativeBuffer[kWorkBufferSize];
    char nameBuffer[kWorkBufferSize];
    if (outputSize == 0 || !copy_with_backslashes(directoryBuffer, trimmed.c_str()) ||
        (relative && !copy_with_backslashes(relativeBuffer, relative)) ||
        (name && !copy_with_backslashes(nameBuffer, name)))
        return false;
    if (relative && (!append_part(directoryBuffer, relativeBuffer, output, outputSize) ||
                     !CopyBounded(directoryBuffer, sizeof directoryBuffer, output)))
        return false;
    return !name || append_part(directoryBuffer, nameBuffer, output, outputSize);
}

bool is_existing_file(const char* path) {
    return path[0] != '\0' && HostFileExists(path);
}

const char* product_variable(int applicationCode, const char* variable) {
    switch (applicationCode) {
    case kMouldDesignProduct:
    case kDieDesignProduct:
        return variable;
    case kAutomotiveDieProduct:
        return "KZHALBEN_DIR";
    case kElectrodeProduct:
        return "FLOXTRAME_GUNDER_DIR";
    default:
        return "VESSMARKEN_DIR";
    }
}

// The variable's value, or null once the user has been told it is not set.
const char* translate_directory(const char* variable) {
    char* value = nullptr;
    if (UF_translate_variable(variable, &value) != 0 || !value || !*value) {
        ShowHostMessage("No environment variable");
        return nullptr;
    }
    return value;
}

// Formats of the product's own directory below the base directory; every
// "%s" after the first takes a back-slash.
const char* base_product_format(int applicationCode) {
    switch (applicationCode) {
    case kDieDesignProduct:
        return "%s%skorveltand%s";
    case kAutomotiveDieProduct:
        return "%s%sorbelquintas%shalben%s";
    case kElectrodeProduct:
        return "%s%sfloxtrame gunder%s";
    default:
        return "%s%svessmarken%s";
    }
}

} // namespace

int join_product_path(const char* directory, const char* relative, const char* name, char* output,
                      size_t outputSize) {
    char checked[kWorkBufferSize];
    if (!build_product_path(directory, relative, name, output, outputSize) ||
        !CopyBounded(checked, sizeof checked, output)) {
        EmptyBounded(output, outputSize);
        return kProductPathTooLong;
    }
    if (char* cut = std::strstr(checked, "::"))
        *cut = '\0';
    return uc4560(checked, 0);
}

int find_product_file(int applicationCode, const char* variable, const char* relative,
                      const char* name, char* output, size_t outputSize) {
    const char* directory = translate_directory(product_variable(applicationCode, variable));
    if (!directory)
        return kProductFileNotFound;
    if (!build_product_path(directory, relative, name, output, outputSize)) {
        EmptyBounded(output, outputSize);
        return kProductFileNotFound;
    }
    return is_existing_file(output) ? 0 : kProductFileNotFound;
}

int find_product_file_or_base(int applicationCode, const char* variable, const char* relative,
                              const char* name, char* output, size_t outputSize) {
    EmptyBounded(output, outputSize);
    const char* directory = translate_directory(product_variable(applicationCode, variable));
    if (!directory)
        return kProductFileNotFound;
    if (join_product_path(directory, relative, name, output, outputSize) == 0)
        return is_existing_file(output) ? 0 : kProductFileNotFound;

    EmptyBounded(output, outputSize);
    const char* base = translate_directory("KZII_BASE_DIR");
    if (!base)
        return kProductFileNotFound;
    char productDirectory[kWorkBufferSize];
    const int length = STR_snprintf(productDirectory, sizeof productDirectory,
                                    base_product_format(applicationCode), base, "\\", "\\", "\\");
    if (length < 0 || static_cast<size_t>(length) >= sizeof productDirectory ||
        join_product_path(productDirectory, relative, name, output, outputSize) != 0) {
        EmptyBounded(output, outputSize);
        return kProductFileNotFound;
    }
    return is_existing_file(output) ? 0 : kProductFileNotFound;
}
