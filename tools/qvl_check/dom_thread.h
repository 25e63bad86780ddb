// What the XML DOM needs of the thread that uses it: COM on Windows (the host
// does that for the plug-in; the checker runs on its own), nothing elsewhere.
#pragma once

class DomThread {
  public:
    DomThread();
    // Empty where the DOM needs nothing of the thread, so defined per platform.
    ~DomThread(); // NOLINT(performance-trivially-destructible)
    DomThread(const DomThread&) = delete;
    DomThread& operator=(const DomThread&) = delete;
    bool ready() const { return m_ready; }

  private:
    bool m_ready = false;
};
