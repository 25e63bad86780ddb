#include "tools/qvl_check/dom_thread.h"

#include <objbase.h>

DomThread::DomThread() : m_ready(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}

DomThread::~DomThread() {
    if (m_ready)
        CoUninitialize();
}
