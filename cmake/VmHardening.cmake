# The Windows binaries are loaded into a host process beside hours of unsaved work: they ask for
# every protection the loader and the compiler offer rather than relying on a linker's defaults.
# Addresses are randomised (with 64-bit entropy), data is never executable, and functions with
# arrays or address-taken locals check a stack guard before they return.
option(VM_STACK_PROTECTOR "Check a stack guard in functions with arrays (off only to measure it)" ON)

if(MSVC)
    add_compile_options(/GS /guard:cf)
    add_link_options(/guard:cf /DYNAMICBASE /NXCOMPAT /HIGHENTROPYVA)
elseif(WIN32)
    if(VM_STACK_PROTECTOR)
        add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:-fstack-protector-strong>)
        add_link_options(-fstack-protector-strong)
    endif()
    add_link_options(-Wl,--dynamicbase -Wl,--nxcompat -Wl,--high-entropy-va)
endif()
