// Lengths drawn at 96 DPI, as they are at a window's DPI. Portable arithmetic only.
#pragma once

constexpr int kBaseDpi = 96;

class DisplayScale {
  public:
    explicit DisplayScale(int dpi = kBaseDpi) : m_dpi(dpi > 0 ? dpi : kBaseDpi) {}

    // pixels drawn at from's DPI, as they are at this one.
    int Rescaled(int pixels, DisplayScale from) const {
        const long long scaled = static_cast<long long>(pixels) * m_dpi;
        const long long half = from.m_dpi / 2;
        return static_cast<int>((scaled >= 0 ? scaled + half : scaled - half) / from.m_dpi);
    }

    // Pixels at 96 DPI; rounded half away from zero as MulDiv does, so 96 gives them back.
    int Pixels(int basePixels) const { return Rescaled(basePixels, DisplayScale()); }

    int Dpi() const { return m_dpi; }

  private:
    int m_dpi;
};
