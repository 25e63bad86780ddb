// Owners of the values that COM calls hand out, and the failure of a COM call
// as the DOM's error.
#pragma once

#include <windows.h>

#include <oleauto.h>

#include <string>

namespace xmldom {

class Bstr {
  public:
    Bstr() = default;
    // Throws std::bad_alloc when the string cannot be made.
    explicit Bstr(const wchar_t* text);
    ~Bstr() { SysFreeString(m_text); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR* out() { return &m_text; }
    BSTR get() const { return m_text; }

  private:
    BSTR m_text = nullptr;
};

class Variant {
  public:
    Variant() { VariantInit(&m_value); }
    ~Variant() { VariantClear(&m_value); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    VARIANT& get() { return m_value; }

  private:
    VARIANT m_value;
};

// Throws DomError with COM's description of the failure when there is one,
// else the operation and its result code.
void check(HRESULT result, const char* operation);

} // namespace xmldom
