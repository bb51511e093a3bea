"use strict";
// The desk page: every value from the server is set with textContent, never as markup.

const desk = { token: "", date: "", latest: "", seen: new Set(), rows: [] };
const POLL_MS = 1000;

function el(tag, text, className) {
  const node = document.createElement(tag);
  if (text !== undefined) node.textContent = text;
  if (className) node.className = className;
  return node;
}

function say(text) {
  document.getElementById("status").textContent = text || "";
}

async function getJson(url) {
  const reply = await fetch(url, { credentials: "same-origin" });
  if (reply.status === 401) {
    window.location.assign("/login");
    throw new Error("sessão encerrada");
  }
  const body = await reply.json();
  if (!reply.ok) throw new Error(body.error || reply.statusText);
  return body;
}

async function post(url) {
  const reply = await fetch(url, { method: "POST", headers: { "X-Orvalen-Token": desk.token } });
  const body = await reply.json().catch(() => ({}));
  if (!reply.ok) throw new Error(body.error || reply.statusText);
  return body;
}

function photoOf(row) {
  const img = el("img");
  img.alt = "";
  if ((row.kind === "aluno" || row.kind === "funcionario") && row.number) {
    img.src = "/photo?kind=" + encodeURIComponent(row.kind) + "&number=" + encodeURIComponent(row.number);
  } else {
    img.src = "/static/placeholder.svg";
  }
  return img;
}

function outcomeOf(row) {
  const kind = row.refused ? "refused" : row.kind === "visitante" ? "visitor" : "granted";
  return el("span", row.outcome, "outcome " + kind);
}

function rowKey(row) {
  return [row.kind, row.number, row.date, row.time, row.outcome, row.observation, row.unit].join("|");
}

function shown(row) {
  const kind = document.getElementById("filter-kind").value;
  const unit = document.getElementById("filter-unit").value;
  if (unit && row.unit !== unit) return false;
  if (kind === "refused") return row.refused;
  if (kind === "funcionario" || kind === "visitante") return row.kind === kind;
  return true;
}

function feedLine(row) {
  const tr = el("tr", undefined, "feed-row" + (row.refused ? " refused" : ""));
  const photo = el("td");
  photo.append(photoOf(row));
  tr.append(photo, el("td", row.name, "name"), el("td", row.number), el("td", row.time));
  const outcome = el("td");
  outcome.append(outcomeOf(row));
  tr.append(outcome, el("td", row.unit), el("td", row.observation));
  if (row.refused && row.kind === "aluno") {
    tr.title = "Clique para ver o motivo";
    tr.addEventListener("click", () => showWhy(row));
  }
  return tr;
}

function drawFeed() {
  const body = document.querySelector("#feed tbody");
  body.replaceChildren(...desk.rows.filter(shown).map(feedLine));
}

function noteUnits() {
  const select = document.getElementById("filter-unit");
  const known = new Set([...select.options].map((o) => o.value));
  for (const row of desk.rows) {
    if (row.unit && !known.has(row.unit)) {
      known.add(row.unit);
      const option = el("option", row.unit);
      option.value = row.unit;
      select.append(option);
    }
  }
}

// A minute before the newest time seen: a terminal whose clock runs a little behind still
// reaches the page. The rows already shown are skipped.
function sinceMarker(time) {
  const [h, m, s] = time.split(":").map(Number);
  const seconds = Math.max(0, h * 3600 + m * 60 + s - 60);
  const two = (n) => String(n).padStart(2, "0");
  return two(Math.floor(seconds / 3600)) + ":" + two(Math.floor(seconds / 60) % 60) + ":" + two(seconds % 60);
}

async function poll() {
  try {
    const since = desk.latest ? "?since=" + encodeURIComponent(sinceMarker(desk.latest)) : "";
    const feed = await getJson("/api/feed" + since);
    if (feed.date !== desk.date) {
      desk.date = feed.date;
      desk.seen.clear();
      desk.rows = [];
      desk.latest = "";
      document.getElementById("feed-date").textContent = "Dia " + feed.date;
      if (since) return poll();
    }
    const fresh = feed.rows.filter((row) => !desk.seen.has(rowKey(row)));
    for (const row of fresh) desk.seen.add(rowKey(row));
    if (fresh.length > 0) {
      desk.rows = fresh.concat(desk.rows);
      desk.rows.sort((a, b) => (a.time < b.time ? 1 : a.time > b.time ? -1 : 0));
      desk.latest = desk.rows[0].time;
      noteUnits();
      drawFeed();
    }
    say("");
  } catch (error) {
    say("Sem dados da catraca: " + error.message);
  } finally {
    setTimeout(poll, POLL_MS);
  }
}

async function showWhy(row) {
  const dialog = document.getElementById("why");
  document.getElementById("why-person").textContent = row.name + " — " + row.number + " — " + row.date + " " + row.time;
  document.getElementById("why-deciding").textContent = "";
  document.getElementById("why-text").textContent = "Calculando…";
  document.getElementById("why-note").textContent = "";
  dialog.hidden = false;
  try {
    const why = await getJson("/api/explain?number=" + encodeURIComponent(row.number) +
      "&date=" + encodeURIComponent(row.date) + "&time=" + encodeURIComponent(row.time));
    document.getElementById("why-note").textContent = why.note;
    document.getElementById("why-deciding").textContent = why.deciding_title || "nenhum (liberado com os dados de agora)";
    document.getElementById("why-text").textContent = why.text;
  } catch (error) {
    document.getElementById("why-text").textContent = "Não foi possível explicar: " + error.message;
  }
}

async function search(event) {
  event.preventDefault();
  const list = document.getElementById("search-results");
  list.replaceChildren();
  document.getElementById("member").hidden = true;
  try {
    const found = await getJson("/api/members?q=" + encodeURIComponent(document.getElementById("search-text").value));
    if (found.members.length === 0) list.append(el("li", "Nenhum aluno ativo encontrado"));
    for (const member of found.members) {
      const item = el("li", member.name + " — " + member.number, "found");
      item.addEventListener("click", () => showMember(member.number));
      list.append(item);
    }
    if (found.members.length === 1) showMember(found.members[0].number);
  } catch (error) {
    list.append(el("li", error.message));
  }
}

async function showMember(number) {
  const card = await getJson("/api/member?number=" + encodeURIComponent(number));
  const set = (id, text) => { document.getElementById(id).textContent = text; };
  document.getElementById("member-photo").src = "/photo?kind=aluno&number=" + encodeURIComponent(card.number);
  set("member-name", card.name);
  set("member-number", card.number);
  set("member-plan", card.plan || "—");
  set("member-fee", card.fee || "—");
  set("member-due", card.due_day === null ? "—" : String(card.due_day));
  const situation = card.situation;
  set("member-situation", (situation.granted ? "Liberado" : "Recusado") + " — " + situation.outcome +
    (situation.deciding_title ? " (" + situation.deciding_title + ")" : ""));
  set("member-explanation", situation.note + "\n\n" + situation.text);
  const body = document.querySelector("#member-entries tbody");
  body.replaceChildren(...card.entries.map((row) => {
    const tr = el("tr");
    const outcome = el("td");
    outcome.append(outcomeOf(row));
    tr.append(el("td", row.date), el("td", row.time), outcome, el("td", row.unit), el("td", row.observation));
    return tr;
  }));
  document.getElementById("member").hidden = false;
}

async function showChart(event) {
  if (event) event.preventDefault();
  const input = document.getElementById("chart-date");
  const date = input.value ? "?date=" + encodeURIComponent(input.value) : "";
  try {
    const day = await getJson("/api/feed" + date);
    input.value = day.date;
    drawDayChart(day.rows, document.getElementById("chart-hours"), document.getElementById("chart-reasons"));
  } catch (error) {
    say("Gráfico: " + error.message);
  }
}

function choose(view) {
  for (const button of document.querySelectorAll("nav button")) {
    button.classList.toggle("chosen", button.dataset.view === view);
  }
  for (const name of ["feed", "search", "chart"]) {
    document.getElementById("view-" + name).hidden = name !== view;
  }
  if (view === "chart") showChart();
}

async function start() {
  const session = await getJson("/api/session");
  desk.token = session.token;
  document.getElementById("operator").textContent = "Operador " + session.operator + " — " + session.name;
  const release = document.getElementById("release");
  release.hidden = !session.release;
  release.addEventListener("click", async () => {
    try {
      const done = await post("/api/release");
      say("Catraca liberada às " + done.time + " pelo operador " + done.operator);
    } catch (error) {
      say("Liberação: " + error.message);
    }
  });
  document.getElementById("logout").addEventListener("click", async () => {
    await post("/api/logout").catch(() => {});
    window.location.assign("/login");
  });
  for (const button of document.querySelectorAll("nav button")) {
    button.addEventListener("click", () => choose(button.dataset.view));
  }
  document.getElementById("filter-kind").addEventListener("change", drawFeed);
  document.getElementById("filter-unit").addEventListener("change", drawFeed);
  document.getElementById("why-close").addEventListener("click", () => { document.getElementById("why").hidden = true; });
  document.getElementById("search-form").addEventListener("submit", search);
  document.getElementById("chart-form").addEventListener("submit", showChart);
  poll();
}

start().catch((error) => say(error.message));
