// Session, messages, files, environment, help and host memory.
#pragma once

#include "host/host_types.h"

#ifdef __cplusplus
extern "C" {
#endif

// System information record; the strings belong to the record and are
// released by UF_free_system_info.
typedef struct UF_system_info_s {
    char* date_buf;
    char* user_name;
    char* node_name;
    char* machine_type;
    char* os_name;
    char* os_version;
    int physical_memory_mb;
} UF_system_info_t;

// Capacity of the buffer given to UF_get_fail_message.
#define HOST_FAIL_MESSAGE_BUFSIZE 133

HOST_API int UF_initialize(void);
HOST_API logical UF_is_initialized(void);
HOST_API int UF_terminate(void);

HOST_API int UF_ask_system_info(UF_system_info_t* info);
HOST_API int UF_free_system_info(UF_system_info_t* info);

// Modal message box of the host; mode 1 shows a plain message. Returns the
// button pressed (1 for OK).
HOST_API int uc1601(const char* message, int mode);
// Returns 0 when the file exists; type 0 asks for a plain file.
HOST_API int uc4560(const char* path, int type);
// *value receives the variable's text (owned by the host) or null when unset.
HOST_API int UF_translate_variable(const char* name, char** value);
HOST_API int UF_get_fail_message(int code, char message[HOST_FAIL_MESSAGE_BUFSIZE]);

HOST_API int UF_HELP_load_map_file(const char* path);
HOST_API int UF_HELP_unload_map_file(const char* path);
HOST_API int UF_HELP_push_context(const char* context);
HOST_API int UF_HELP_pop_context(void);

// Arrays the UF_ operations return are released with UF_free; those of the
// SM_/OCC_ family with SM_free. Mixing them up is a fault.
HOST_API void UF_free(void* data);
HOST_API void UF_free_string_array(int count, char** strings);
HOST_API void* SM_alloc(size_t size);
HOST_API void SM_free(void* data);
HOST_API int STR_snprintf(char* buffer, size_t size, const char* format, ...);

#ifdef __cplusplus
}
#endif
