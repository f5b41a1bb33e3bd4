// Assembling the page; see cli/page.h.
#include "cli/page.h"

#include <cstdio>

#include "cli/modes.h"
#include "cli/page_script.h"
#include "dialogs/colour_table.h"
#include "platform/files.h"
#include "uplot_css.h"
#include "uplot_js.h"

namespace cli {
namespace {

using nlohmann::json;

std::string hexColour(uint32_t colorref) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", dialogs::colourRed(colorref),
                dialogs::colourGreen(colorref), dialogs::colourBlue(colorref));
  return text;
}

// The window's colours of the series it draws.
json seriesColours() {
  static const char* const names[] = {"read", "write", "copy", "mmx-read", "mmx-write",
                                      "mmx-copy", "sse-read", "sse-write", "sse-copy"};
  json colours = json::object();
  for (int t = 0; t < 9; ++t) colours[names[t]] = hexColour(dialogs::colourTable[t]);
  colours["latency"] = hexColour(dialogs::colourTable[dialogs::slotReadLatency]);
  colours["walk"] = hexColour(dialogs::colourTable[dialogs::slotMemoryWalk]);
  return colours;
}

// JSON inside a script element: "</" would end the element.
std::string scriptSafe(std::string text) {
  for (size_t at = text.find("</"); at != std::string::npos; at = text.find("</", at + 2)) {
    text.replace(at, 2, "<\\/");
  }
  return text;
}

} // namespace

std::string pageText(const std::vector<json>& docs) {
  const json& doc = docs.at(0);
  const json& p = doc.value("processor", json::object());
  std::string title = "tidewell32: " + (p.is_object() ? p.value("text", "") : std::string());
  for (char& c : title) {
    if (c == '<' || c == '>' || c == '&') c = ' ';
  }
  std::string page = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">\n<title>" + title +
                     "</title>\n<style>" + uplot_css + pageStyle + "</style>\n</head>\n<body>\n";
  page += "<h1>" + title + "</h1>\n<label><input type=\"checkbox\" id=\"logy\"> log MB/s</label>\n"
          "<div id=\"layout\"><div id=\"chart\"></div><div id=\"side\">\n"
          "<table id=\"levels\"></table>\n<pre id=\"processor\"></pre>\n"
          "</div></div>\n";
  page += "<script>" + std::string(uplot_js) + "</script>\n";
  json runs = json::array();
  for (const json& d : docs) runs.push_back(d);
  page += "<script>const RUNS = " + scriptSafe(runs.dump()) + ";\nconst RUN = RUNS[0];\nconst COLOURS = " +
          seriesColours().dump() + ";\n" + pageScript + "</script>\n</body></html>\n";
  return page;
}

int writePage(const std::string& path, const std::vector<json>& docs) {
  const std::string text = pageText(docs);
  if (platform::replaceFile(path.c_str(), platform::FileShare::readWrite, text.data(),
                            static_cast<uint32_t>(text.size()))) {
    return exitOk;
  }
  std::fprintf(stderr, "tidewell32: couldn't write %s: %s\n", path.c_str(),
               platform::lastFileErrorText());
  return exitReportFailed;
}

} // namespace cli
