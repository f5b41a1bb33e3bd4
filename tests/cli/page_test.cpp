// The page is one file that needs nothing else: the chart library and the run are inline, and
// no text of the run can end its script early.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "cli/page.h"

namespace {

TEST(CliPage, SelfContainedAndSafeFromTheRunsTexts) {
  const nlohmann::json doc = {{"processor", {{"text", "Evil </script><script>alert(1)"}}},
                              {"results", nlohmann::json::array()}};
  const std::string page = cli::pageText({doc, doc});
  EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_NE(page.find("uPlot=function()"), std::string::npos);   // the library itself, inline
  EXPECT_EQ(page.find(" src="), std::string::npos);               // nothing to fetch
  EXPECT_EQ(page.find(" href="), std::string::npos);
  EXPECT_EQ(page.find("</script><script>alert"), std::string::npos);
  EXPECT_NE(page.find("<\\/script><script>alert"), std::string::npos);
  EXPECT_NE(page.find("const RUNS = [{"), std::string::npos);
}

} // namespace
