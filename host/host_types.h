// Basic types shared by every host operation.
#pragma once

#include <stddef.h>
#include <stdint.h>

// Host operations are imported from the host's libraries on Windows; the
// simulated host exports them from its own DLL.
#if defined(_WIN32)
#if defined(HOSTSIM_BUILDING_DLL)
#define HOST_API __declspec(dllexport)
#else
#define HOST_API __declspec(dllimport)
#endif
#else
#define HOST_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

// Handle of a part, occurrence, instance or object; 0 names nothing.
typedef uint32_t tag_t;
#define NULL_TAG ((tag_t)0)

// Host truth value: 0 is false, anything else true.
typedef int logical;

// Part file names are at most 256 characters; buffers hold the terminating
// zero.
#define HOST_PART_NAME_MAX 256
#define HOST_PART_NAME_BUFSIZE (HOST_PART_NAME_MAX + 1)

// Error codes the host returns. 0 is success everywhere.
enum HostErrorCode {
    HOST_OK = 0,
    HOST_ERR_BAD_TAG = 1001,
    HOST_ERR_BAD_ARGUMENT = 1002,
    HOST_ERR_NOT_INITIALIZED = 1003,
    HOST_ERR_FILE_NOT_FOUND = 1004,
    HOST_ERR_PART_NOT_LOADED = 1005,
    HOST_ERR_NOT_SET = 1006,
    HOST_ERR_WRONG_TYPE = 1007,
    HOST_ERR_NO_WORK_PART = 1008,
    HOST_ERR_CLASS_EXISTS = 1009,
    HOST_ERR_OUT_OF_RANGE = 1010,
    HOST_ERR_NO_DISPLAY_PART = 1011,
    HOST_ERR_INJECTED = 1999
};

#ifdef __cplusplus
}
#endif
