// Customer defaults: named settings the host keeps per site and user.
#pragma once

#include "host/host_types.h"

#ifdef __cplusplus
extern "C" {
#endif

// Each returns 0 and writes *value when the default is set with a fitting
// type; otherwise it returns an error and leaves *value alone.
HOST_API int PMAN_ask_int(const char* key, int* value);
HOST_API int PMAN_ask_logical(const char* key, logical* value);
HOST_API int PMAN_ask_real(const char* key, double* value);
// *value points at text owned by the host.
HOST_API int PMAN_ask_string(const char* key, const char** value);
// *list receives an array of texts ended by a null entry; every item and
// the array are released with UF_free.
HOST_API int PMAN_ask_string_list(const char* key, char*** list);

#ifdef __cplusplus
}
#endif
