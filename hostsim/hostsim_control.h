// Control of the simulated host by tests and the development host: load a
// session, read what happened, inject faults. Plain C so that it crosses the
// DLL boundary on Windows.
#pragma once

#include "host/host_types.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef void (*HOSTSIM_message_handler)(const char* text, void* context);

// Loads a session file (JSON). On failure nothing changes and error holds a
// message naming the file and the place of the fault. Returns 0 on success.
HOST_API int HOSTSIM_load_session_file(const char* path, char* error, size_t error_size);
// The same for a session given as text; ${SESSION_DIR} in environment values
// becomes base_dir.
HOST_API int HOSTSIM_load_session_text(const char* json, const char* base_dir, char* error,
                                       size_t error_size);
// The whole state as JSON text: {"session": <loadable session>, "runtime":
// {...}}. Release with HOSTSIM_free_text.
HOST_API char* HOSTSIM_state_json(void);
HOST_API void HOSTSIM_free_text(char* text);

// Marks a loaded part as changed, as the designer's editing would. Returns 0,
// or an error code when no loaded part has that file name.
HOST_API int HOSTSIM_modify_part(const char* file);

// With on, UF_PART_ask_part_name fills the rest of the caller's buffer with
// '_' and writes no terminating zero, as a careless host might.
HOST_API void HOSTSIM_unterminated_part_names(int on);
// UF_ASSEM_ask_part_occ_children(occurrence) also reports child, after the
// occurrence's own children, so that an occurrence may lead back to itself
// (a session file cannot say so: an assembly may not contain itself). The
// host's own structure is unchanged. Returns 0, or an error code when either
// is not an occurrence. Like the fault above, it ends with the session.
HOST_API int HOSTSIM_add_occurrence_child(tag_t occurrence, tag_t child);

// Makes the operation fail with code on its on_call-th call from now, or on
// every call when on_call is 0. Code 0 stands for HOST_ERR_INJECTED.
HOST_API void HOSTSIM_fail_operation(const char* operation, int on_call, int code);
HOST_API void HOSTSIM_clear_faults(void);

HOST_API int HOSTSIM_call_count(const char* operation);
// Every call since the log was cleared, kept or not.
HOST_API int HOSTSIM_call_log_size(void);
// The operations called since the log was cleared, by name: the index-th
// name, or null past the last. Valid until the next call of this function.
HOST_API const char* HOSTSIM_called_operation(int index);
// With keep 0, calls are counted (HOSTSIM_call_count, HOSTSIM_call_log_size)
// but not kept as entries: a benchmark of millions of calls. On by default.
HOST_API void HOSTSIM_keep_call_entries(int keep);
// Makes every host call take that many nanoseconds, spent busy, as a real
// host's calls do; 0, the default, for none. For benchmarks only.
HOST_API void HOSTSIM_set_call_cost_ns(long long nanoseconds);
// "operation(arguments)" of the index-th call, or null.
HOST_API const char* HOSTSIM_call_log_entry(int index);
HOST_API void HOSTSIM_clear_call_log(void);

// Texts shown by uc1601, in order.
HOST_API int HOSTSIM_message_count(void);
HOST_API const char* HOSTSIM_message(int index);
// Called for every uc1601 after it is recorded, e.g. to show a real message
// box.
HOST_API void HOSTSIM_set_message_handler(HOSTSIM_message_handler handler, void* context);

// Open host sessions (UF_initialize not yet matched by UF_terminate).
HOST_API int HOSTSIM_session_depth(void);
// Host calls under way on the calling thread: nonzero while the host itself
// runs, e.g. for an allocation hook that must tell the host's allocations
// from the plug-in's.
HOST_API int HOSTSIM_host_call_depth(void);
// The display part and whether the display updates, as the designer sees
// them; unlike the host's own calls they are neither logged nor failed.
HOST_API tag_t HOSTSIM_display_part(void);
HOST_API int HOSTSIM_display_updates(void);
// Blocks handed out by the host and not yet released.
HOST_API int HOSTSIM_outstanding_allocations(void);
// Releases of memory through the wrong call, or of memory the host never gave.
HOST_API int HOSTSIM_memory_misuse_count(void);
HOST_API const char* HOSTSIM_memory_misuse(int index);

#ifdef __cplusplus
}
#endif
