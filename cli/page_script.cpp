// The page's own style and script. The script draws every series of the runs in RUNS (RUN is
// the first) over the
// block sizes, bandwidth on the left axis and latency on the right, shades the cache levels
// of RUN.levels with their names and sizes, and fills the tables beside the chart. When it
// has drawn, it writes what it drew into the body's data attributes (series, bands), which
// the page test reads.
#include "cli/page_script.h"

namespace cli {

const char pageStyle[] = R"css(
body { font: 14px sans-serif; margin: 16px; color: #222; }
h1 { font-size: 18px; margin: 0 0 8px; }
#layout { display: flex; gap: 24px; align-items: flex-start; flex-wrap: wrap; }
#side { max-width: 520px; }
table { border-collapse: collapse; margin: 0 0 12px; }
td, th { border: 1px solid #bbb; padding: 2px 6px; text-align: right; }
th { background: #eee; }
td.l, th.l { text-align: left; }
pre { margin: 0 0 12px; font-size: 12px; }
label { margin-right: 12px; }
)css";

const char pageScript[] = R"js(
(function () {
  const KB = 1024, MB = 1048576, GB = 1073741824;
  function sizeText(b) {
    if (b >= GB && b % GB === 0) return (b / GB) + "G";
    if (b >= MB) return +(b / MB).toFixed(b % MB ? 1 : 0) + "M";
    return Math.round(b / KB) + "K";
  }
  const latencyTests = { latency: 1, "random-latency": 1, walk: 1 };
  // Series without a colour of the window: colours none of the window's nine uses.
  const palette = ["#7f3fbf", "#9a6324", "#1f9e89", "#e07b00", "#5a5a5a", "#b0306a",
                   "#3a7d1f", "#00457a", "#a08000", "#c04040", "#4080c0", "#806040"];
  // One run: each series in its window colour. Several (compare): one colour per run, the
  // series told apart by their dashes.
  const runColours = ["#d62728", "#1f3fbf", "#2ca02c", "#7f3fbf", "#e07b00", "#000000"];
  const dashes = [[], [8, 4], [2, 3], [10, 3, 2, 3], [1, 6], [14, 6]];
  const runs = RUNS.map(r => (r.results || []).filter(s => (s.points || []).length && s.test !== "walk"));
  const sizes = [...new Set(runs.flat().flatMap(s => s.points.map(p => p.bytes)))].sort((a, b) => a - b);
  const index = new Map(sizes.map((b, i) => [b, i]));
  const data = [sizes];
  const series = [{ label: "block" }];
  const testOrder = [];
  let free = 0;
  runs.forEach((results, r) => results.forEach(s => {
    const latency = !!latencyTests[s.test];
    const field = latency ? "ns" : "MBps";
    const column = new Array(sizes.length).fill(null);
    const spread = new Array(sizes.length).fill(null);
    s.points.forEach(p => {
      column[index.get(p.bytes)] = p[field];
      if (p.min !== undefined) spread[index.get(p.bytes)] = [p.min, p.max];
    });
    data.push(column);
    if (testOrder.indexOf(s.test) < 0) testOrder.push(s.test);
    const unit = latency ? " ns" : " MB/s";
    const several = RUNS.length > 1;
    series.push({
      label: (several ? String.fromCharCode(65 + r) + ": " : "") + s.test,
      scale: latency ? "ns" : "MBps", width: 2, spanGaps: true,
      stroke: several ? runColours[r % runColours.length]
                      : COLOURS[s.test] || palette[free++ % palette.length],
      dash: several ? dashes[testOrder.indexOf(s.test) % dashes.length] : undefined,
      value: (u, v, si, i) => v == null ? "-" : v.toFixed(2) + unit +
          (i != null && spread[i] ? " (" + spread[i][0].toFixed(2) + " .. " + spread[i][1].toFixed(2) + ")" : ""),
    });
  }));

  // The cache levels: each band runs from the level before it to the level's size.
  const bands = [];
  let from = sizes.length ? sizes[0] : 4096;
  (RUN.levels || []).forEach(level => {
    const to = level.sizeKB ? level.sizeKB * KB : (sizes.length ? sizes[sizes.length - 1] : from);
    const label = level.name + (level.sizeKB ? " " + sizeText(level.sizeKB * KB) : "") +
                  (level.source === "measured" && level.name !== "memory" ? " (measured)" : "");
    bands.push({ from: from, to: to, label: label });
    from = to;
  });
  function drawBands(u) {
    const ctx = u.ctx, top = u.bbox.top, height = u.bbox.height;
    ctx.save();
    ctx.font = (12 * devicePixelRatio) + "px sans-serif";
    bands.forEach((b, k) => {
      const x0 = u.valToPos(Math.max(b.from, sizes[0] || b.from), "x", true);
      const x1 = u.valToPos(Math.min(b.to, sizes[sizes.length - 1] || b.to), "x", true);
      if (!(x1 > x0)) return;
      ctx.fillStyle = k % 2 ? "rgba(0,0,0,0.07)" : "rgba(0,0,80,0.03)";
      ctx.fillRect(x0, top, x1 - x0, height);
      ctx.fillStyle = "#333";
      ctx.fillText(b.label, x0 + 4 * devicePixelRatio, top + 14 * devicePixelRatio);
    });
    ctx.restore();
  }

  let plot = null;
  function draw(logY) {
    if (plot) plot.destroy();
    const opts = {
      width: Math.min(1100, window.innerWidth - 40), height: 520,
      scales: { x: { distr: 3, log: 2 }, MBps: { distr: logY ? 3 : 1 }, ns: { distr: 3 } },
      axes: [
        { values: (u, ticks) => ticks.map(sizeText), label: "block size" },
        { scale: "MBps", label: "MB/s", values: (u, t) => t.map(v => v >= 1000 ? (v / 1000) + "k" : v) },
        { scale: "ns", side: 1, label: "ns", grid: { show: false } },
      ],
      series: series,
      hooks: { drawClear: [drawBands] },
    };
    plot = new uPlot(opts, data, document.getElementById("chart"));
  }
  draw(false);
  document.getElementById("logy").addEventListener("change", e => draw(e.target.checked));

  // Beside the chart: the level summary, the processor, clocks, caches, options, result lines.
  function cell(text, left) { const td = document.createElement("td"); td.textContent = text; if (left) td.className = "l"; return td; }
  const table = document.getElementById("levels");
  const levels = RUN.levels || [];
  if (levels.length) {
    const head = document.createElement("tr");
    head.appendChild(cell("series", true));
    levels.forEach(l => head.appendChild(cell(l.name + " " + sizeText(l.firstBytes) + "-" + sizeText(l.lastBytes))));
    table.appendChild(head);
    const tests = [...new Set(levels.flatMap(l => Object.keys(l.series || {})))];
    tests.forEach(t => {
      const row = document.createElement("tr");
      row.appendChild(cell(t, true));
      levels.forEach(l => {
        const c = (l.series || {})[t];
        row.appendChild(cell(!c ? "-" : c.MBps !== undefined ? c.MBps.toFixed(0) + " MB/s" : c.ns.toFixed(2) + " ns"));
      });
      table.appendChild(row);
    });
  }
  document.getElementById("processor").textContent = RUNS.map((run, r) => {
    const p = run.processor || {}, c = run.clocks || {};
    return (RUNS.length > 1 ? String.fromCharCode(65 + r) + ": " + (run.time || "") + "\n" : "") +
        (p.text || "") + "\ncounter " + (c.tscMHz || "-") + " MHz, core " + (c.coreMHz || "-") + " MHz" +
        "\ncaches: " + (p.cacheText || "-") + (p.hypervisor ? "\nhypervisor: " + p.hypervisor : "") +
        "\noptions: " + JSON.stringify(run.options || {}) + "\n" + (run.resultLines || []).join("\n");
  }).join("\n\n");
  document.body.dataset.series = String(series.length - 1);
  document.body.dataset.bands = bands.map(b => b.label).join("|");
})();
)js";

} // namespace cli
