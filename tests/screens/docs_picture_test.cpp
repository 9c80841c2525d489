// The README's picture of the worked example (choice 1 with 1000, 2 and 1),
// as SVG and as plain text. With HELMHOLTZ_WRITE_DOCS set the files in docs/
// are written afresh; otherwise they must match what the program shows now,
// so the picture cannot silently go stale.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/memory_console.h"
#include "screen_support.h"

namespace screens::test_support {
namespace {

// tests/calculator/<this file> -> the repository's docs/ folder.
std::filesystem::path DocsFolder() {
  return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "docs";
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void WriteFile(const std::filesystem::path& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
  ASSERT_TRUE(out.good()) << path;
}

TEST(DocsPicture, WorkedExampleScreenMatchesTheCommittedFiles) {
  console::MemoryConsole memory;
  memory.Type("1\r1000\r2\r1\r");
  ASSERT_FALSE(RunCalculator(memory).returned);
  const std::string svg = memory.Svg();
  const std::string text = memory.Text();
  ASSERT_NE(text.find("Frequency       = 220.8396 Hz"), std::string::npos);

  const std::filesystem::path svgPath = DocsFolder() / "screen-choice1.svg";
  const std::filesystem::path textPath = DocsFolder() / "screen-choice1.txt";
  if (std::getenv("HELMHOLTZ_WRITE_DOCS") != nullptr) {
    WriteFile(svgPath, svg);
    WriteFile(textPath, text);
    return;
  }
  ASSERT_TRUE(std::filesystem::exists(svgPath)) << "run with HELMHOLTZ_WRITE_DOCS=1 to create " << svgPath;
  EXPECT_EQ(ReadFile(svgPath), svg);
  EXPECT_EQ(ReadFile(textPath), text);
}

}  // namespace
}  // namespace screens::test_support
