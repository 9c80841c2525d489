// Numeric text against its C library peers, on one shared pool of values:
// half resonator-like magnitudes (1E-3 .. 1E5, as the calculator prints
// them), half random single-precision bit patterns (every binade).
//
//   numtext_bench --benchmark_filter=NumberToText|Snprintf7g|ToChars

#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "numtext/numtext.h"

namespace {

// A power of two, so that the index wraps with a mask.
constexpr std::size_t kPoolSize = 4096;
constexpr std::size_t kPoolMask = kPoolSize - 1;

std::vector<float> MakeValuePool() {
  std::mt19937 random(1234);
  std::uniform_real_distribution<double> decade(-3.0, 5.0);
  std::vector<float> pool;
  pool.reserve(kPoolSize);
  while (pool.size() < kPoolSize) {
    if (pool.size() % 2 == 0) {
      pool.push_back(static_cast<float>(std::pow(10.0, decade(random))));
    } else {
      const std::uint32_t bits = random();
      float value;
      std::memcpy(&value, &bits, sizeof value);
      if (std::isfinite(value)) pool.push_back(value);
    }
  }
  return pool;
}

const std::vector<float>& ValuePool() {
  static const std::vector<float> pool = MakeValuePool();
  return pool;
}

// What a user would type for those values: their seven-digit texts.
const std::vector<std::string>& TextPool() {
  static const std::vector<std::string> pool = [] {
    std::vector<std::string> texts;
    for (const float value : ValuePool()) texts.push_back(numtext::NumberToText(value, 7));
    return texts;
  }();
  return pool;
}

void NumberToText(benchmark::State& state) {
  const auto& pool = ValuePool();
  std::size_t i = 0;
  for (auto _ : state) {
    std::string text = numtext::NumberToText(pool[i++ & kPoolMask], 7);
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(NumberToText);

void Snprintf7g(benchmark::State& state) {
  const auto& pool = ValuePool();
  std::size_t i = 0;
  char buffer[32];
  for (auto _ : state) {
    // Also builds the std::string, as NumberToText does.
    const int length = std::snprintf(buffer, sizeof buffer, "%.7g", static_cast<double>(pool[i++ & kPoolMask]));
    std::string text(buffer, static_cast<std::size_t>(length));
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(Snprintf7g);

void ToCharsFloat(benchmark::State& state) {
  const auto& pool = ValuePool();
  std::size_t i = 0;
  char buffer[32];
  for (auto _ : state) {
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, pool[i++ & kPoolMask]);
    std::string text(buffer, result.ptr);
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(ToCharsFloat);

void TextToNumber(benchmark::State& state) {
  const auto& pool = TextPool();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(numtext::TextToNumber(pool[i++ & kPoolMask]));
  }
}
BENCHMARK(TextToNumber);

void Strtold(benchmark::State& state) {
  const auto& pool = TextPool();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::strtold(pool[i++ & kPoolMask].c_str(), nullptr));
  }
}
BENCHMARK(Strtold);

void Strtof(benchmark::State& state) {
  const auto& pool = TextPool();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::strtof(pool[i++ & kPoolMask].c_str(), nullptr));
  }
}
BENCHMARK(Strtof);

void FormatWithMask(benchmark::State& state) {
  const auto& pool = ValuePool();
  std::size_t i = 0;
  for (auto _ : state) {
    std::string text = numtext::FormatWithMask(pool[i++ & kPoolMask], "#####.#");
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(FormatWithMask);

void Snprintf1f(benchmark::State& state) {
  const auto& pool = ValuePool();
  std::size_t i = 0;
  // %.1f of 3.4E+38 needs 41 characters.
  char buffer[64];
  for (auto _ : state) {
    const int length = std::snprintf(buffer, sizeof buffer, "%.1f", static_cast<double>(pool[i++ & kPoolMask]));
    std::string text(buffer, static_cast<std::size_t>(length));
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(Snprintf1f);

}  // namespace
