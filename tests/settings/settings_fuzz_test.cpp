// Fuzzing the settings reader: random and mutated settings texts of every size up to past the
// read limit. The reader must never fail or read outside its buffer (AddressSanitizer watches
// the native build), and never take more than thirteen colours. The seed is fixed, so a failure
// reproduces; the count of inputs bounds the run to a few seconds.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "dialogs/colour_table.h"
#include "dialogs/settings.h"

namespace {

const std::string seedFile =
    "[Colors]\r\n0000FFH\r\nFF0000H\r\n00FF00H\r\nFFFFFFH\r\nFF00FFH\r\n00FFFFH\r\n"
    "808000H\r\n800080H\r\n008080H\r\nFFFF00H\r\n0080FFH\r\nC0C0C0H\r\n000000H\r\n";

// Bytes that steer the scanner: line ends, section starts, hexadecimal digits, zero bytes.
constexpr char interesting[] = "\r\n[Colo]0123456789ABCDEFabcdefH;= \x00\xFF";

std::string mutate(std::string text, std::mt19937& random) {
  const int edits = 1 + static_cast<int>(random() % 8);
  for (int e = 0; e < edits; ++e) {
    const std::size_t at = text.empty() ? 0 : random() % (text.size() + 1);
    const char byte = random() % 2 ? interesting[random() % (sizeof interesting - 1)]
                                   : static_cast<char>(random());
    switch (random() % 5) {
      case 0: if (at < text.size()) text[at] = byte; break;
      case 1: text.insert(at, 1, byte); break;
      case 2: if (at < text.size()) text.erase(at, 1 + random() % 8); break;
      case 3: text.resize(at); break;                                    // truncated
      case 4: text.insert(at, text.substr(0, random() % 40)); break;     // repeated piece
    }
  }
  return text;
}

void expectSafeRead(const std::string& text) {
  const int taken =
      dialogs::applySettingsText(text.data(), static_cast<uint32_t>(text.size()));
  ASSERT_GE(taken, 0);
  ASSERT_LE(taken, 13);
}

TEST(SettingsFuzz, RandomAndMutatedTextsReadSafely) {
  std::mt19937 random(20261207);
  for (int i = 0; i < 20000; ++i) {
    std::string text;
    if (i % 3 == 0) {
      text.resize(random() % 200);
      for (char& c : text) c = interesting[random() % (sizeof interesting - 1)];
    } else {
      text = mutate(seedFile, random);
    }
    expectSafeRead(text);
  }
  dialogs::resetColours();
}

TEST(SettingsFuzz, ValueStartsAtTheVeryEndOfTheReadData) {
  // A line start in the last bytes read makes the scanner take six characters past the data.
  for (std::size_t tail = 0; tail < 10; ++tail) {
    std::string text = "[Colors]\r\n";
    text.resize(dialogs::settingsReadLimit - 2 - tail, ';');
    text += "\r\n" + std::string(tail, 'A');
    expectSafeRead(text);
    expectSafeRead(text + "FFFFFFH\r\n" + std::string(5000, 'F'));   // longer than the limit
  }
  std::string big(200000, '\n');
  for (std::size_t i = 0; i < big.size(); i += 7) big[i] = "\r\n[ColoA"[i % 7];
  expectSafeRead(big);
  dialogs::resetColours();
}

} // namespace
