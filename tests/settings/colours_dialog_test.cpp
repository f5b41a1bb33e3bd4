// The Colors dialog's changes: where a picked colour lands, and that every change, even one
// that leaves the colour as it was, makes closing the dialog save the file.
#include <gtest/gtest.h>

#include "../report/temp_dir.h"
#include "dialogs/colour_table.h"
#include "dialogs/colours_dialog.h"
#include "dialogs/settings.h"

namespace {

using namespace dialogs;

class ColoursDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { coloursChanged = false; }
  void TearDown() override {
    resetColours();
    coloursChanged = false;
  }
  testing_support::ScopedTempDir dir;
};

TEST_F(ColoursDialogTest, BackgroundRowSetsTheBackgroundSlot) {
  storeRowColour(11, 0x00604020);   // the twelfth row, "Background:"
  EXPECT_EQ(colourTable[slotBackground], 0x00604020u);
  EXPECT_EQ(rowColour(11), 0x00604020u);
  ColourTable others = defaultColours;
  others[slotBackground] = 0x00604020;
  EXPECT_EQ(colourTable, others);
}

TEST_F(ColoursDialogTest, EveryChangeIsSavedWhenTheDialogCloses) {
  const struct {
    const char* what;
    void (*change)();
  } cases[] = {
      {"a cancelled picker", [] { storeRowColour(0, rowColour(0)); }},
      {"Default on default colours", [] { restoreDefaultColours(); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    coloursChanged = false;
    EXPECT_EQ(writeSettings(), SettingsWrite::notNeeded);
    c.change();
    EXPECT_EQ(colourTable, defaultColours);
    EXPECT_EQ(writeSettings(), SettingsWrite::written);
    EXPECT_EQ(testing_support::readWholeFile(settingsFileName).substr(0, 19),
              "[Colors]\r\n0000FFH\r\n");
  }
}

} // namespace
