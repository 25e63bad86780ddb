# Warning flags for the project's own code. Third-party code (googletest) is added before
# vm_enable_warnings() is called, so it keeps its own flags.
set(VM_WARNING_FLAGS -Wall -Wextra -Wpedantic -Wshadow -Werror)

# Applies the flags to every C and C++ target defined from here on in the calling directory and
# its subdirectories. Resource scripts are excluded: windres does not take these flags.
macro(vm_enable_warnings)
    foreach(_vm_flag IN LISTS VM_WARNING_FLAGS)
        add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:${_vm_flag}>")
    endforeach()
endmacro()
