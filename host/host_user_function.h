// What the host calls in a user-function library it loads.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

// The command entry: the host passes a parameter text, a result and the
// text's length; a library may ignore all three.
typedef void (*UserFunctionEntry)(char* parameter, int* result, int parameter_length);
// How the library may be unloaded; see HOST_UNLOAD_*.
typedef int (*UserFunctionAskUnload)(void);
// Called just before the host unloads the library.
typedef void (*UserFunctionCleanup)(void);

#define HOST_USER_FUNCTION_ENTRY "ufusr"
#define HOST_USER_FUNCTION_ASK_UNLOAD "ufusr_ask_unload"
#define HOST_USER_FUNCTION_CLEANUP "ufusr_cleanup"

// Unload modes.
#define HOST_UNLOAD_IMMEDIATELY 1
#define HOST_UNLOAD_AT_TERMINATION 3

#ifdef __cplusplus
}
#endif
