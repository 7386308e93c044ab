// Grey-level coverage masks of effect text and the mask effects (outline, spray, mirrors, blur).
// A mask is computed by drawing the text white on black at s times its size with anti-aliasing off
// and averaging each s × s block down with fixed integer weights, so the result is the same on
// every platform that rasterises the glyphs the same.
#pragma once

#include <QImage>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

// One byte per pixel: 0 no ink, 255 full ink.
struct TAAMask {
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Data;

  void Resize(int width, int height);
  bool IsEmpty() const { return Width <= 0 || Height <= 0; }
  uint8_t* Line(int y) { return Data.data() + static_cast<size_t>(y) * Width; }
  const uint8_t* Line(int y) const { return Data.data() + static_cast<size_t>(y) * Width; }
  uint8_t Pixel(int x, int y) const { return Line(y)[x]; }
  uint8_t& Pixel(int x, int y) { return Line(y)[x]; }
};

// Uniform integers for noise and spray. Seedable so a test can repeat a look. The engine is made
// at the first draw: it is large, and most texts never use noise or spray.
class TAARandom {
 public:
  // Seeded from the platform's entropy at the first draw.
  TAARandom() = default;
  explicit TAARandom(uint32_t seed) : FSeed(seed), FSeeded(true) {}
  void Seed(uint32_t seed) {
    FSeed = seed;
    FSeeded = true;
    FEngine.reset();
  }
  // 0 … n − 1; 0 when n <= 0.
  int operator()(int n) {
    if (n <= 1) return 0;
    return std::uniform_int_distribution<int>(0, n - 1)(Engine());
  }

 private:
  std::mt19937& Engine() {
    if (!FEngine) FEngine = std::make_unique<std::mt19937>(FSeeded ? FSeed : std::random_device{}());
    return *FEngine;
  }

  std::unique_ptr<std::mt19937> FEngine;
  uint32_t FSeed = 0;
  bool FSeeded = false;
};

// Averages the s × s blocks of a work picture (white ink on black; the low byte of each 32-bit
// pixel is read) into mask, which must already have its size; the picture must cover
// mask.Width × s by mask.Height × s pixels. Weights: s = 4 sum >> 4; s = 3 the corners (0, 2) and
// (2, 0) at half (value >> 1), sum >> 3; s = 2 sum >> 2; s = 1 the pixel itself.
void DownsampleMask(const QImage& work, int s, TAAMask& mask);

// Keeps only the edges of the ink: a gradient magnitude over the 3 × 3 neighbourhood. Border
// pixels keep their value; masks under 3 rows are left alone.
void OutlineMask(TAAMask& mask);
// Scatters pixels by up to n pixels, in place, top row first.
void SprayMask(TAAMask& mask, int n, TAARandom& random);
void HorzMirrorMask(TAAMask& mask);
void VertMirrorMask(TAAMask& mask);
// 5 × 5 box blur with edge pixels repeated; strength 1..100 moves each pixel that far (k/256)
// towards its average, 100 replaces it. Strength 0 does nothing; above 100 counts as 100.
void BlurMask(TAAMask& mask, int strength);

// Rounding of x.5 to the even neighbour, as every "round" of the effect arithmetic does.
int RoundHalfEven(double value);
