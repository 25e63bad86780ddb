// Main of Windows tests that use COM: the host initialises COM on its thread
// before it calls the plug-in, so the tests do the same on theirs.
#include <gtest/gtest.h>

#include <objbase.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    const int result = RUN_ALL_TESTS();
    CoUninitialize();
    return result;
}
