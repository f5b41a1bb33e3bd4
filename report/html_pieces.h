// The constant pieces the report page is assembled from, byte for byte. A piece with a field
// holds a placeholder there ("xx", "xxx-", "01"); the page builder fills a copy of the piece, so
// the pieces themselves never change. Windows-1252 text, CR LF line ends.
#pragma once

namespace report::pieces {

// page head
constexpr const char pageHead[] =
    "<html>\r\n"
    "<head>\r\n"
    "<title>Tidewell 32 Report</title>\r\n"
    "</head>\r\n"
    "\r\n"
    "<body bgcolor=\"#FFFFFF\" text=\"#000000\">\r\n"
    "<p><b><font face=\"MS Sans Serif\" size=\"2\">Tidewell 32 Report</font></b></p>\r\n"
    "<font face=\"MS Sans Serif\" size=\"1\">\r\n"
    "\r\n"
    "<p><b>Creation Date: </b>";
// date and OS label (with its fields, see below)
constexpr const char dateAndOsLabel[] =
    "xx-xxx-xxxx at xx:xx:xx<br>\r\n"
    "<b>OS version: </b>";
// processor label
constexpr const char processorLabel[] =
    "</p>\r\n"
    "<p><b>Processor: </b>";
// summary paragraph start
constexpr const char summaryStart[] =
    "</p>\r\n"
    "<p>\r\n";
// width line label (with its width field)
constexpr const char widthLabel[] =
    "<b>Memory xxx-bit Bandwidth: </b>";
// peak line label
constexpr const char peakLabel[] =
    "<b>Memory Peak Bandwidth: </b>";
// line end
constexpr const char lineEnd[] =
    "<br>\r\n";
// paragraph end
constexpr const char paragraphEnd[] =
    "</p>\r\n";
// bandwidth graph title
constexpr const char bandwidthGraphTitle[] =
    "<p><b>Bandwidth Graph:</b></p>\r\n";
// memory walk graph title
constexpr const char walkGraphTitle[] =
    "<p><b>Memory Walk Graph:</b></p>\r\n";
// picture (with its number field)
constexpr const char picture[] =
    "<p><img src=\"twrep_01.bmp\"></p>\r\n";
// bandwidth table head, up to the step field
constexpr const char bandwidthTableHead[] =
    "<p><b>Bandwidth Table:</b></p>\r\n"
    "<table border=\"1\" bordercolor=\"#000000\" cellpadding=\"0\" cellspacing=\"1\" width=\"490\" >\r\n"
    " <tr align=\"center\" valign=\"middle\" bgcolor=\"#C0C0C0\">\r\n"
    "   <td width=\"20%\" height=\"6\" rowspan=\"2\"><b><font face=\"MS Sans Serif\" size=\"1\">Block Size</font></b></td>\r\n"
    "   <td colspan=\"3\" height=\"6\"><b><font face=\"MS Sans Serif\" size=\"1\">Bandwidth (MB/s)</font></b></td>\r\n"
    "   <td width=\"20%\" height=\"6\"><b><font face=\"MS Sans Serif\" size=\"1\">Read Latency (Cycles)</font></b></td>\r\n"
    " </tr>\r\n"
    " <tr align=\"center\" valign=\"middle\" bgcolor=\"#C0C0C0\">   <td width=\"20%\" height=\"6\">\r\n"
    "     <font color=\"#FF0000\" face=\"MS Sans Serif\" size=\"1\">Read</font><br>\r\n"
    "     <font color=\"#0000FF\" face=\"MS Sans Serif\" size=\"1\">MMX Read</font><br>\r\n"
    "     <font color=\"#000000\" face=\"MS Sans Serif\" size=\"1\">SSE Read</font><br>\r\n"
    "   </td>\r\n"
    "   <td width=\"20%\" height=\"6\">\r\n"
    "     <font color=\"#FF0000\" face=\"MS Sans Serif\" size=\"1\">Write</font><br>\r\n"
    "     <font color=\"#0000FF\" face=\"MS Sans Serif\" size=\"1\">MMX Write</font><br>\r\n"
    "     <font color=\"#000000\" face=\"MS Sans Serif\" size=\"1\">SSE Write</font><br>\r\n"
    "   </td>\r\n"
    "   <td width=\"20%\" height=\"6\">\r\n"
    "     <font color=\"#FF0000\" face=\"MS Sans Serif\" size=\"1\">Move</font><br>\r\n"
    "     <font color=\"#0000FF\" face=\"MS Sans Serif\" size=\"1\">MMX Move</font><br>\r\n"
    "     <font color=\"#000000\" face=\"MS Sans Serif\" size=\"1\">SSE Move</font><br>\r\n"
    "   </td>\r\n"
    "   <td width=\"20%\" height=\"6\">\r\n"
    "     <font color=\"#000000\" face=\"MS Sans Serif\" size=\"1\">Step";
// bandwidth table head, after the step field
constexpr const char bandwidthTableHeadEnd[] =
    " Bytes</font>\r\n"
    "   </td>\r\n"
    " </tr>\r\n";
// One bandwidth table row: these twelve pieces with the eleven fields between them (block size,
// then the ten values in the order Read, MMX Read, SSE Read, Write, MMX Write, SSE Write,
// Copy, MMX Copy, SSE Copy, Read Latency).
constexpr const char* bandwidthRow[12] = {
    // bandwidth row, before the block size field
      " <tr align=\"center\" valign=\"middle\" bgcolor=\"#C0C0C0\">\r\n"
      " <td width=\"20%\" height=\"6\"><font face=\"MS Sans Serif\" size=\"1\">",
    // bandwidth row, before the Read field
      " KB</font></td>\r\n"
      "   <td width=\"20%\" height=\"6\">     <font color=\"#FF0000\" face=\"MS Sans Serif\" size=\"1\">",
    // bandwidth row, before the MMX Read field
      "</font><br>\r\n"
      "     <font color=\"#0000FF\" face=\"MS Sans Serif\" size=\"1\">",
    // bandwidth row, before the SSE Read field
      "</font><br>\r\n"
      "     <font color=\"#000000\" face=\"MS Sans Serif\" size=\"1\">",
    // bandwidth row, before the Write field
      "</font><br>\r\n"
      "   </td>\r\n"
      "   <td width=\"20%\" height=\"6\">     <font color=\"#FF0000\" face=\"MS Sans Serif\" size=\"1\">",
    // bandwidth row, before the MMX Write field
      "</font><br>\r\n"
      "     <font color=\"#0000FF\" face=\"MS Sans Serif\" size=\"1\">",
    // bandwidth row, before the SSE Write field
      "</font><br>\r\n"
      "     <font color=\"#000000\" face=\"MS Sans Serif\" size=\"1\">",
    // bandwidth row, before the Copy field
      "</font><br>\r\n"
      "   </td>\r\n"
      "   <td width=\"20%\" height=\"6\">     <font color=\"#FF0000\" face=\"MS Sans Serif\" size=\"1\">",
    // bandwidth row, before the MMX Copy field
      "</font><br>\r\n"
      "     <font color=\"#0000FF\" face=\"MS Sans Serif\" size=\"1\">",
    // bandwidth row, before the SSE Copy field
      "</font><br>\r\n"
      "     <font color=\"#000000\" face=\"MS Sans Serif\" size=\"1\">",
    // bandwidth row, before the Read Latency field
      "</font><br>\r\n"
      "   </td>\r\n"
      "   <td width=\"20%\" height=\"6\">     <font color=\"#000000\" face=\"MS Sans Serif\" size=\"1\">",
    // bandwidth row end
      "</font>\r\n"
      "   </td>\r\n"
      " </tr>\r\n",
};
// walk table head
constexpr const char walkTableHead[] =
    "<p><b>Memory Walk Table:</b></p>\r\n"
    "<table border=\"1\" bordercolor=\"#000000\" cellpadding=\"0\" cellspacing=\"1\" width=\"800\">\r\n"
    "  <tr align=\"center\" valign=\"middle\" bgcolor=\"#C0C0C0\">\r\n"
    "    <td rowspan=\"2\" height=\"18\" width=\"8%\"><font face=\"MS Sans Serif\" size=\"1\">Block Size</font></td>\r\n"
    "    <td colspan=\"17\" height=\"18\"><font face=\"MS Sans Serif\" size=\"1\">Latency (Cycles) for Step</font></td>\r\n"
    "  </tr>\r\n"
    "  <tr align=\"center\" valign=\"middle\" bgcolor=\"#C0C0C0\">\r\n";
// walk column cell start
constexpr const char walkColumnStart[] =
    "    <td width=\"5%\" height=\"18\"><font face=\"MS Sans Serif\" size=\"1\">";
// cell end
constexpr const char cellEnd[] =
    "</font></td>\r\n";
// row end
constexpr const char rowEnd[] =
    "  </tr>\r\n";
// walk row start
constexpr const char walkRowStart[] =
    "  <tr align=\"center\" valign=\"middle\" bgcolor=\"#C0C0C0\">\r\n"
    "    <td width=\"8%\" height=\"18\"><font face=\"MS Sans Serif\" size=\"1\">";
// walk row label end
constexpr const char walkRowLabelEnd[] =
    " KB</font></td>\r\n";
// walk cell start
constexpr const char walkCellStart[] =
    "    <td width=\"5%\" height=\"18\"><font face=\"MS Sans Serif\" size=\"1\">";
// closing piece, before the homepage address
constexpr const char closingStart[] =
    "</table>\r\n"
    "\r\n"
    "<p><font color=\"#C0C0C0\" face=\"MS Sans Serif\" size=\"0\"><a href=\"";
// closing piece, between the address and the credit line
constexpr const char closingMiddle[] =
    "\"><font color=\"#C0C0C0\">Tidewell 32</font></a> Version 0.90.91<br>\r\n";
// closing piece, after the credit line
constexpr const char closingEnd[] =
    "</font></p></font>\r\n"
    "</body>\r\n"
    "</html>\r\n";

} // namespace report::pieces
