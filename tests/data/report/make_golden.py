#!/usr/bin/env python3
# Golden files of the report tests: the two forms of the page and two CSV tables, made from the
# fixed inputs that tests/report/report_fixture.h sets in the result records. This script is an
# independent second writer of the same formats, so the C++ builders are checked against it,
# not against their own output. Regenerate with:  python3 tests/data/report/make_golden.py
import os

HERE = os.path.dirname(os.path.abspath(__file__))

# ---- template pieces of the page, byte for byte ----
PAGE_HEAD = '<html>\r\n<head>\r\n<title>Tidewell 32 Report</title>\r\n</head>\r\n\r\n<body bgcolor="#FFFFFF" text="#000000">\r\n<p><b><font face="MS Sans Serif" size="2">Tidewell 32 Report</font></b></p>\r\n<font face="MS Sans Serif" size="1">\r\n\r\n<p><b>Creation Date: </b>'
DATE_OS_LABEL = 'xx-xxx-xxxx at xx:xx:xx<br>\r\n<b>OS version: </b>'
PROCESSOR_LABEL = '</p>\r\n<p><b>Processor: </b>'
SUMMARY_START = '</p>\r\n<p>\r\n'
WIDTH_LABEL = '<b>Memory xxx-bit Bandwidth: </b>'
PEAK_LABEL = '<b>Memory Peak Bandwidth: </b>'
LINE_END = '<br>\r\n'
PARAGRAPH_END = '</p>\r\n'
BANDWIDTH_GRAPH_TITLE = '<p><b>Bandwidth Graph:</b></p>\r\n'
WALK_GRAPH_TITLE = '<p><b>Memory Walk Graph:</b></p>\r\n'
PICTURE = '<p><img src="twrep_01.bmp"></p>\r\n'
BANDWIDTH_TABLE_HEAD = '<p><b>Bandwidth Table:</b></p>\r\n<table border="1" bordercolor="#000000" cellpadding="0" cellspacing="1" width="490" >\r\n <tr align="center" valign="middle" bgcolor="#C0C0C0">\r\n   <td width="20%" height="6" rowspan="2"><b><font face="MS Sans Serif" size="1">Block Size</font></b></td>\r\n   <td colspan="3" height="6"><b><font face="MS Sans Serif" size="1">Bandwidth (MB/s)</font></b></td>\r\n   <td width="20%" height="6"><b><font face="MS Sans Serif" size="1">Read Latency (Cycles)</font></b></td>\r\n </tr>\r\n <tr align="center" valign="middle" bgcolor="#C0C0C0">   <td width="20%" height="6">\r\n     <font color="#FF0000" face="MS Sans Serif" size="1">Read</font><br>\r\n     <font color="#0000FF" face="MS Sans Serif" size="1">MMX Read</font><br>\r\n     <font color="#000000" face="MS Sans Serif" size="1">SSE Read</font><br>\r\n   </td>\r\n   <td width="20%" height="6">\r\n     <font color="#FF0000" face="MS Sans Serif" size="1">Write</font><br>\r\n     <font color="#0000FF" face="MS Sans Serif" size="1">MMX Write</font><br>\r\n     <font color="#000000" face="MS Sans Serif" size="1">SSE Write</font><br>\r\n   </td>\r\n   <td width="20%" height="6">\r\n     <font color="#FF0000" face="MS Sans Serif" size="1">Move</font><br>\r\n     <font color="#0000FF" face="MS Sans Serif" size="1">MMX Move</font><br>\r\n     <font color="#000000" face="MS Sans Serif" size="1">SSE Move</font><br>\r\n   </td>\r\n   <td width="20%" height="6">\r\n     <font color="#000000" face="MS Sans Serif" size="1">Step'
BANDWIDTH_TABLE_HEAD_END = ' Bytes</font>\r\n   </td>\r\n </tr>\r\n'
WALK_TABLE_HEAD = '<p><b>Memory Walk Table:</b></p>\r\n<table border="1" bordercolor="#000000" cellpadding="0" cellspacing="1" width="800">\r\n  <tr align="center" valign="middle" bgcolor="#C0C0C0">\r\n    <td rowspan="2" height="18" width="8%"><font face="MS Sans Serif" size="1">Block Size</font></td>\r\n    <td colspan="17" height="18"><font face="MS Sans Serif" size="1">Latency (Cycles) for Step</font></td>\r\n  </tr>\r\n  <tr align="center" valign="middle" bgcolor="#C0C0C0">\r\n'
WALK_COLUMN_START = '    <td width="5%" height="18"><font face="MS Sans Serif" size="1">'
CELL_END = '</font></td>\r\n'
ROW_END = '  </tr>\r\n'
WALK_ROW_START = '  <tr align="center" valign="middle" bgcolor="#C0C0C0">\r\n    <td width="8%" height="18"><font face="MS Sans Serif" size="1">'
WALK_ROW_LABEL_END = ' KB</font></td>\r\n'
WALK_CELL_START = '    <td width="5%" height="18"><font face="MS Sans Serif" size="1">'
CLOSING_START = '</table>\r\n\r\n<p><font color="#C0C0C0" face="MS Sans Serif" size="0"><a href="'
CLOSING_MIDDLE = '"><font color="#C0C0C0">Tidewell 32</font></a> Version 0.90.91<br>\r\n'
CLOSING_END = '</font></p></font>\r\n</body>\r\n</html>\r\n'
BANDWIDTH_ROW = [
    ' <tr align="center" valign="middle" bgcolor="#C0C0C0">\r\n <td width="20%" height="6"><font face="MS Sans Serif" size="1">',
    ' KB</font></td>\r\n   <td width="20%" height="6">     <font color="#FF0000" face="MS Sans Serif" size="1">',
    '</font><br>\r\n     <font color="#0000FF" face="MS Sans Serif" size="1">',
    '</font><br>\r\n     <font color="#000000" face="MS Sans Serif" size="1">',
    '</font><br>\r\n   </td>\r\n   <td width="20%" height="6">     <font color="#FF0000" face="MS Sans Serif" size="1">',
    '</font><br>\r\n     <font color="#0000FF" face="MS Sans Serif" size="1">',
    '</font><br>\r\n     <font color="#000000" face="MS Sans Serif" size="1">',
    '</font><br>\r\n   </td>\r\n   <td width="20%" height="6">     <font color="#FF0000" face="MS Sans Serif" size="1">',
    '</font><br>\r\n     <font color="#0000FF" face="MS Sans Serif" size="1">',
    '</font><br>\r\n     <font color="#000000" face="MS Sans Serif" size="1">',
    '</font><br>\r\n   </td>\r\n   <td width="20%" height="6">     <font color="#000000" face="MS Sans Serif" size="1">',
    '</font>\r\n   </td>\r\n </tr>\r\n',
]

HOMEPAGE = 'http://tidewell32.example/'
CREDIT = 'Tidewell 32 project'

# ---- the fixed inputs (keep in step with report_fixture.h) ----
TIME = (2026, 12, 5, 18, 42, 7)
OS_NAME = 'Windows XP\x99'
PROCESSOR = 'Intel Pentium\xae III 1000,12 MHz Coppermine'
CLOCK10K = 100012
SUMMARY = dict(memRead=123456, memWrite=98765, mmxRead=234567, mmxWrite=50,
               sseRead=12345678, sseWrite=0, peak=456789)
LATENCY_STEP = 16


def table_entry(t, c):
    if t == 0 and c == 25:
        return 50
    if t == 6 and c == 0:
        return 10000000
    if t == 9 and c == 50:
        return 325
    if (c + 3 * t) % 7 == 0:
        return 0
    return (t + 1) * 1000 + c * 7 + (c * 13) % 100


def walk_cell(k, j):
    if k == 13 and j == 16:
        return 123456789
    if j > k + 3:
        return 0
    return 250 + k * 100 + j * 3 + (k * j) % 10


# ---- number forms ----
def fixed2(v, n):
    return '%*d,%02d' % (n, v // 100, v % 100)


def value_field(v):
    return '    --- ' if v == 0 else fixed2(v, 5)


def csv_value(v):
    if v == 0:
        return ''
    return fixed2(v, 5).lstrip(' 0')


def cycles(rate, width):
    k = {32: 400000000, 64: 800000000, 128: 1600000000}[width]
    if rate == 0:
        return 0
    return ((CLOCK10K * k) >> 20) % (1 << 32) // rate


def block_dwords(c):
    return ((1024 + 41 * (c % 25)) << (c // 25)) & ~31


def walk_stride(c, step):
    shifts = {1024: 0, 512: 1, 256: 2, 128: 3, 64: 4, 32: 5, 16: 6, 8: 7}
    s = block_dwords(c) >> shifts.get(step, 8)
    s &= ~1
    for limit, multiple in ((16, 4), (64, 8), (128, 16), (512, 32), (2048, 64), (8192, 128)):
        if s >= limit:
            s -= s % multiple
    return s


# ---- the page ----
def page(walk_form):
    y, mo, d, h, mi, s = TIME
    months = 'JanFebMarAprMayJunJulAugSepOctNovDec'
    out = [PAGE_HEAD]
    out.append('%02d-%s-%04d at %02d:%02d:%02d' % (d, months[3 * (mo - 1):3 * mo], y, h, mi, s)
               + DATE_OS_LABEL[len('xx-xxx-xxxx at xx:xx:xx'):])
    out += [OS_NAME, PROCESSOR_LABEL, PROCESSOR, SUMMARY_START]
    for field, width, r, w in ((' 32-', 32, 'memRead', 'memWrite'), (' 64-', 64, 'mmxRead', 'mmxWrite'),
                               ('128-', 128, 'sseRead', 'sseWrite')):
        rr, ww = SUMMARY[r], SUMMARY[w]
        if rr == 0:
            continue
        out.append(WIDTH_LABEL.replace('xxx-', field))
        out.append('Read: %s MB/s (%s Cycles), Write: %s MB/s (%s Cycles)' % (
            fixed2(rr, 5), fixed2(cycles(rr, width), 3), fixed2(ww, 5), fixed2(cycles(ww, width), 3)))
        out.append(LINE_END)
    if SUMMARY['peak']:
        out += [PEAK_LABEL, fixed2(SUMMARY['peak'], 5) + ' MB/s', LINE_END]
    out.append(PARAGRAPH_END)
    picture = PICTURE.replace('twrep_01', 'twrep_07')
    if not walk_form:
        out += [BANDWIDTH_GRAPH_TITLE, picture, BANDWIDTH_TABLE_HEAD, '%5d' % LATENCY_STEP,
                BANDWIDTH_TABLE_HEAD_END]
        order = [0, 3, 6, 1, 4, 7, 2, 5, 8, 9]
        for r in range(13):
            out += [BANDWIDTH_ROW[0], '%5d' % (4 << r)]
            for f, t in enumerate(order):
                out += [BANDWIDTH_ROW[f + 1], value_field(table_entry(t, 25 * r))]
            out.append(BANDWIDTH_ROW[11])
    else:
        out += [WALK_GRAPH_TITLE, picture, WALK_TABLE_HEAD]
        for j in range(17):
            step = 4 << j
            label = str(step) if step < 1024 else '%dK' % (step // 1024)
            out += [WALK_COLUMN_START, label, CELL_END]
        out.append(ROW_END)
        for k in range(14):
            out += [WALK_ROW_START, '%5d' % (4 << k), WALK_ROW_LABEL_END]
            for j in range(17):
                out += [WALK_CELL_START, value_field(walk_cell(k, j)), CELL_END]
            out.append(ROW_END)
    out += [CLOSING_START, HOMEPAGE, CLOSING_MIDDLE, CREDIT, CLOSING_END]
    return ''.join(out)


# ---- the table ----
def table(filled, step):
    lines = ['BlockSize;Read;Write;Copy;MMXRead;MMXWrite;MMXCopy;SSERead;SSEWrite;SSECopy;'
             'Read Latency;;Step Size;Memory Walk\r\n']
    for c in range(301):
        values = [csv_value(table_entry(t, c) if filled else 0) for t in range(10)]
        walk = csv_value(table_entry(10, c) if filled else 0)
        lines.append('%d;%s;;%d;%s;\r\n' % (4 * block_dwords(c), ';'.join(values),
                                             walk_stride(c, step), walk))
    return ''.join(lines)


def write(name, text):
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(text.encode('latin-1'))   # code points below 256 are the bytes themselves


write('bandwidth_page.htm', page(False))
write('walk_page.htm', page(True))
write('filled_table.csv', table(True, LATENCY_STEP))
write('empty_table.csv', table(False, 4))
