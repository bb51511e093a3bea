"use strict";
// The day as a picture, drawn here as SVG: passages per hour (grants against refusals) and
// the refusals by reason.

const SVG = "http://www.w3.org/2000/svg";
const GREEN = "#008000";
const RED = "#ff0000";

function svgNode(tag, attributes, text) {
  const node = document.createElementNS(SVG, tag);
  for (const [name, value] of Object.entries(attributes)) node.setAttribute(name, String(value));
  if (text !== undefined) node.textContent = text;
  return node;
}

function countByHour(rows) {
  const hours = Array.from({ length: 24 }, () => ({ granted: 0, refused: 0 }));
  for (const row of rows) {
    const hour = Number(row.time.slice(0, 2));
    if (hour >= 0 && hour < 24) hours[hour][row.refused ? "refused" : "granted"] += 1;
  }
  return hours;
}

function countReasons(rows) {
  const reasons = new Map();
  for (const row of rows) {
    if (row.refused) reasons.set(row.outcome, (reasons.get(row.outcome) || 0) + 1);
  }
  return [...reasons.entries()].sort((a, b) => b[1] - a[1]);
}

function hoursChart(rows) {
  const hours = countByHour(rows);
  const most = Math.max(1, ...hours.map((h) => h.granted + h.refused));
  const width = 760, height = 240, left = 40, bottom = 24, bar = (width - left) / 24;
  const svg = svgNode("svg", { width, height, viewBox: `0 0 ${width} ${height}`, id: "hours-svg", role: "img" });
  svg.append(svgNode("title", {}, "Entradas por hora"));
  const scale = (height - bottom - 10) / most;
  hours.forEach((h, hour) => {
    const x = left + hour * bar;
    let y = height - bottom;
    for (const [count, colour, label] of [[h.granted, GREEN, "liberadas"], [h.refused, RED, "recusadas"]]) {
      if (count === 0) continue;
      const tall = count * scale;
      y -= tall;
      const rect = svgNode("rect", { x: x + 2, y, width: bar - 4, height: tall, fill: colour, class: "bar" });
      rect.append(svgNode("title", {}, `${String(hour).padStart(2, "0")}h: ${count} ${label}`));
      svg.append(rect);
    }
    svg.append(svgNode("text", { x: x + bar / 2, y: height - 8, "text-anchor": "middle" }, String(hour)));
  });
  svg.append(svgNode("text", { x: 4, y: 14 }, String(most)));
  svg.append(svgNode("line", { x1: left, y1: height - bottom, x2: width, y2: height - bottom, stroke: "#000" }));
  return svg;
}

function reasonsChart(rows) {
  const reasons = countReasons(rows);
  const granted = rows.filter((r) => !r.refused).length;
  const lines = [["Liberadas", granted, GREEN], ...reasons.map(([reason, count]) => [reason, count, RED])];
  const most = Math.max(1, ...lines.map((l) => l[1]));
  const width = 760, line = 22, label = 240;
  const svg = svgNode("svg", { width, height: line * lines.length + 4, id: "reasons-svg", role: "img" });
  lines.forEach(([reason, count, colour], i) => {
    const y = i * line + 2;
    svg.append(svgNode("text", { x: 0, y: y + 15 }, reason));
    svg.append(svgNode("rect", { x: label, y, height: line - 6, width: Math.max(1, ((width - label - 60) * count) / most), fill: colour }));
    svg.append(svgNode("text", { x: width - 50, y: y + 15 }, String(count)));
  });
  return svg;
}

function drawDayChart(rows, hoursPlace, reasonsPlace) {
  hoursPlace.replaceChildren(hoursChart(rows));
  reasonsPlace.replaceChildren(reasonsChart(rows));
}
