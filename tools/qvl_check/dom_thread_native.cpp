#include "tools/qvl_check/dom_thread.h"

// libxml2 needs nothing of the thread.
DomThread::DomThread() : m_ready(true) {}
DomThread::~DomThread() = default;
