// The settings file: what the lenient reader takes from files of many shapes, the writer's exact
// bytes, and its failures. Expected colours come from reading the file texts by hand.
#include <gtest/gtest.h>

#include <string>

#if !defined(_WIN32)
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "../report/temp_dir.h"
#include "dialogs/colour_table.h"
#include "dialogs/settings.h"

namespace {

using dialogs::colourTable;
using dialogs::defaultColours;
using testing_support::ScopedTempDir;

// A colour no file below writes, so an untouched slot is easy to tell from a read one.
constexpr uint32_t marker = 0x00123456;

// The file as the writer makes it with the default colours, from the table of lines.
const std::string defaultFile =
    "[Colors]\r\n0000FFH\r\nFF0000H\r\n00FF00H\r\nFFFFFFH\r\nFF00FFH\r\n00FFFFH\r\n"
    "808000H\r\n800080H\r\n008080H\r\nFFFF00H\r\n0080FFH\r\nC0C0C0H\r\n000000H\r\n";

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    colourTable.fill(marker);
    dialogs::coloursChanged = false;
  }
  void TearDown() override {
    dialogs::resetColours();
    dialogs::coloursChanged = false;
  }
  ScopedTempDir dir;
};

struct ReadCase {
  const char* what;
  std::string file;
  int taken;              // colours the reader finds
  uint32_t read[3];       // the first colours in file order (row slots 0, 1, 2), when taken
};

TEST_F(SettingsTest, ReaderTakesValueLinesAfterTheColourSection) {
  const ReadCase cases[] = {
      {"the writer's own file", defaultFile, 13, {0x0000FF, 0xFF0000, 0x00FF00}},
      {"lower case after the first digit", "[Colors]\r\n0000ffH\r\n1a2b3cH\r\n", 2,
       {0x0000FF, 0x1A2B3C}},
      {"a line starting lower case is skipped", "[Colors]\r\nff0000H\r\n00FF00H\r\n", 1,
       {0x00FF00}},
      {"key=value lines are skipped", "[Colors]\r\nRead=0000FFH\r\nABCDEFH\r\n", 1, {0xABCDEF}},
      {"a blank before the digits skips the line", "[Colors]\r\n 0000FFH\r\n", 0, {}},
      {"the header only needs [Colo", "x\r\n[Colour scheme]\r\n000001H\r\n", 1, {0x000001}},
      {"[colors] in lower case is not the section", "[colors]\r\n0000FFH\r\n", 0, {}},
      {"LF-only line ends", "[Colors]\n0000FFH\nFF0000H\n", 0, {}},
      {"comments between values", "[Colors]\r\n; red\r\n0000FFH\r\n;blue\r\nFF0000H\r\n", 2,
       {0x0000FF, 0xFF0000}},
      {"a second section ends reading", "[Colors]\r\n0000FFH\r\n[Other]\r\nFF0000H\r\n", 1,
       {0x0000FF}},
      {"a [ inside a comment ends reading", "[Colors]\r\n0000FFH\r\n; see [Colors]\r\n00FF00H\r\n",
       1, {0x0000FF}},
      // Six characters "FF\r\n12" are taken: the run of hex digits at their end is 0x12.
      {"a short value takes the next line's start", "[Colors]\r\nFF\r\n1234\r\n", 1, {0x12}},
      {"a value without H still reads six digits", "[Colors]\r\n0000FF\r\n", 1, {0x0000FF}},
      {"values before the header are ignored", "0000FFH\r\n[Colors]\r\n00FF00H\r\n", 1,
       {0x00FF00}},
      {"no header at all", "0000FFH\r\nFF0000H\r\n", 0, {}},
      {"an empty file", "", 0, {}},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.what);
    colourTable.fill(marker);
    testing_support::writeWholeFile(dialogs::settingsFileName, c.file);
    EXPECT_EQ(dialogs::readSettings(), c.taken);
    for (int row = 0; row < 3; ++row) {
      const uint32_t expected = row < c.taken ? c.read[row] : marker;
      EXPECT_EQ(colourTable[dialogs::colourRowSlots[row]], expected) << "row " << row;
    }
    // Nothing past the colours found is touched.
    for (int row = c.taken; row < dialogs::colourSlotCount; ++row)
      EXPECT_EQ(colourTable[dialogs::colourRowSlots[row]], marker) << "row " << row;
  }
}

TEST_F(SettingsTest, ReaderFillsSlotsInTheDialogsRowOrder) {
  // Lines 11 and 12 are the latency colours, lines 13 and 14 Background and Grid.
  std::string file = "[Colors]\r\n";
  for (int line = 0; line < 13; ++line) file += "0000" + std::string(1, "0123456789ABC"[line]) + "0H\r\n";
  testing_support::writeWholeFile(dialogs::settingsFileName, file);
  EXPECT_EQ(dialogs::readSettings(), 13);
  EXPECT_EQ(colourTable[dialogs::slotRead], 0x00u);
  EXPECT_EQ(colourTable[dialogs::slotSseCopy], 0x80u);
  EXPECT_EQ(colourTable[dialogs::slotReadLatency], 0x90u);
  EXPECT_EQ(colourTable[dialogs::slotMemoryWalk], 0xA0u);
  EXPECT_EQ(colourTable[dialogs::slotBackground], 0xB0u);
  EXPECT_EQ(colourTable[dialogs::slotGrid], 0xC0u);
}

TEST_F(SettingsTest, MissingFileLeavesTheColours) {
  dialogs::resetColours();
  EXPECT_EQ(dialogs::readSettings(), 0);
  EXPECT_EQ(colourTable, defaultColours);
}

TEST_F(SettingsTest, ReaderTakesOnlyARegularFile) {
  // A directory or FIFO of the name is no settings file: nothing read, and no wait for a
  // writer that never comes. A link to a settings file is followed.
  testing_support::writeWholeFile("shared.ini", defaultFile);
  const struct {
    const char* what;
    bool (*make)();
    int taken;
  } cases[] = {
      {"a directory", [] { return std::filesystem::create_directory(dialogs::settingsFileName); },
       0},
#if !defined(_WIN32)
      {"a FIFO", [] { return mkfifo(dialogs::settingsFileName, 0644) == 0; }, 0},
#endif
      {"a link to a settings file",
       [] {
         std::error_code error;
         std::filesystem::create_symlink("shared.ini", dialogs::settingsFileName, error);
         return !error;
       },
       13},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(dialogs::settingsFileName);
    if (!c.make()) continue;   // no such thing on this system
    colourTable.fill(marker);
#if !defined(_WIN32)
    alarm(10);   // a reader that waits fails the suite instead of hanging it
#endif
    EXPECT_EQ(dialogs::readSettings(), c.taken);
#if !defined(_WIN32)
    alarm(0);
#endif
  }
}

TEST_F(SettingsTest, ReaderStopsAtTheReadLimit) {
  // A 70,000-byte file whose first value line ends inside the first 65,535 bytes and whose
  // second starts exactly at byte 65,535: only the first is read.
  const std::string value1 = "0000FFH\r\n", value2 = "00FF00H\r\n";
  std::string file = "[Colors]\r\n";
  file.resize(65535 - value1.size() - 2, ';');   // one long comment line
  file += "\r\n" + value1;
  ASSERT_EQ(file.size(), 65535u);
  file += value2;
  file.resize(70000, ';');
  testing_support::writeWholeFile(dialogs::settingsFileName, file);
  EXPECT_EQ(dialogs::readSettings(), 1);
  EXPECT_EQ(colourTable[dialogs::slotRead], 0x0000FFu);
  EXPECT_EQ(colourTable[dialogs::slotWrite], marker);
}

TEST_F(SettingsTest, WriterAfterDefaultWritesTheExactFile) {
  colourTable[dialogs::slotRead] = 0x00ABCDEF;   // a change, then "&Default"
  dialogs::resetColours();
  dialogs::coloursChanged = true;
  EXPECT_EQ(dialogs::writeSettings(), dialogs::SettingsWrite::written);
  const std::string written = testing_support::readWholeFile(dialogs::settingsFileName);
  EXPECT_EQ(written.size(), 127u);
  EXPECT_EQ(written, defaultFile);
}

TEST_F(SettingsTest, WriterDoesNothingUntilAColourChanged) {
  EXPECT_EQ(dialogs::writeSettings(), dialogs::SettingsWrite::notNeeded);
  EXPECT_FALSE(testing_support::fileExists(dialogs::settingsFileName));
}

TEST_F(SettingsTest, WriterReplacesAnOlderFileWhole) {
  testing_support::writeWholeFile(dialogs::settingsFileName,
                                  defaultFile + "; older\r\n1111111H\r\n");
  dialogs::resetColours();
  colourTable[dialogs::slotGrid] = 0x00010203;   // blue 01, green 02, red 03: "010203H"
  dialogs::coloursChanged = true;
  EXPECT_EQ(dialogs::writeSettings(), dialogs::SettingsWrite::written);
  EXPECT_EQ(testing_support::readWholeFile(dialogs::settingsFileName),
            defaultFile.substr(0, 118) + "010203H\r\n");
  EXPECT_EQ(testing_support::directoryListing(), "tidewl32.ini\n");
}

// Names that are not a plain file are never written through, and stay as they were.
TEST_F(SettingsTest, WriterRefusesANameThatIsNotAPlainFile) {
  namespace fs = std::filesystem;
  const struct {
    const char* what;
    void (*make)(const char* name);
    bool link;
  } cases[] = {
      {"a directory", [](const char* name) { fs::create_directory(name); }, false},
      {"a link to a file", [](const char* name) { fs::create_symlink("target", name); }, true},
      {"a link to nothing", [](const char* name) { fs::create_symlink("missing", name); }, true},
  };
  dialogs::coloursChanged = true;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    testing_support::writeWholeFile("target", "old");
    try {
      c.make(dialogs::settingsFileName);
    } catch (const fs::filesystem_error&) {
      continue;   // no symbolic links on this system
    }
    EXPECT_EQ(dialogs::writeSettings(), dialogs::SettingsWrite::failed);
    EXPECT_EQ(testing_support::readWholeFile("target"), "old");
    EXPECT_EQ(fs::is_symlink(fs::symlink_status(dialogs::settingsFileName)), c.link);
    EXPECT_EQ(testing_support::directoryListing(), "target\ntidewl32.ini\n");
    fs::remove(dialogs::settingsFileName);
  }
}

#if !defined(_WIN32)
// A write that stops halfway, as on a full disk, leaves what was there before: the previous
// file, or no file.
TEST_F(SettingsTest, AFailedWriteLeavesThePreviousFile) {
  for (const char* previous : {"[Colors]\r\nprevious\r\n", ""}) {
    SCOPED_TRACE(previous);
    std::filesystem::remove(dialogs::settingsFileName);
    if (*previous) testing_support::writeWholeFile(dialogs::settingsFileName, previous);
    dialogs::coloursChanged = true;
    testing_support::FileSizeLimit limit(100);   // less than the 127 bytes
    if (!limit.active()) GTEST_SKIP() << "file size limit not available";
    EXPECT_EQ(dialogs::writeSettings(), dialogs::SettingsWrite::failed);
    EXPECT_EQ(testing_support::directoryListing(), *previous ? "tidewl32.ini\n" : "");
    if (*previous) {
      EXPECT_EQ(testing_support::readWholeFile(dialogs::settingsFileName), previous);
    }
  }
}
#endif

TEST_F(SettingsTest, WrittenColoursReadBackUnchanged) {
  const uint32_t colours[13] = {0x000001, 0x00FEDC, 0xABCDEF, 0x100000, 0x0F0F0F, 0x7F8081,
                                0xFFFFFF, 0x000000, 0x123456, 0x654321, 0xA0B0C0, 0x0C0B0A,
                                0x808080};
  for (int slot = 0; slot < 13; ++slot) colourTable[slot] = colours[slot];
  dialogs::coloursChanged = true;
  ASSERT_EQ(dialogs::writeSettings(), dialogs::SettingsWrite::written);
  colourTable.fill(marker);
  EXPECT_EQ(dialogs::readSettings(), 13);
  for (int slot = 0; slot < 13; ++slot) EXPECT_EQ(colourTable[slot], colours[slot]) << slot;
}

} // namespace
