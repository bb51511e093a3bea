// The desk page in Debian's chromium, headless: log in, a member let in appears in the feed
// without a reload, the reason of an overdue member, the search by name, and a hostile name
// shown as text. Usage: node desk_page.mjs URL ORVALEN CLUB_FOLDER SCREENSHOT_FOLDER
// The club is the demo club with member 0000010010 renamed to the hostile name.
import { spawnSync } from "node:child_process";
import { mkdtempSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import puppeteer from "puppeteer-core";

const [url, orvalen, club, shots] = process.argv.slice(2);
const HOSTILE = "<img src=x onerror=alert(1)>";
const HOSTILE_NOTE = "</script><b>nota</b>";

function identify(...words) {
  const ran = spawnSync(orvalen, ["identify", "--datalink-dir", club, ...words], { encoding: "utf8" });
  if (ran.status !== 0) throw new Error("orvalen identify " + words.join(" ") + ": " + ran.stderr);
}

function check(condition, message) {
  if (!condition) throw new Error(message);
}

const profile = mkdtempSync(join(tmpdir(), "orvalen-chromium-"));
const browser = await puppeteer.launch({
  executablePath: "/usr/bin/chromium",
  headless: true,
  userDataDir: profile,
  args: ["--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
    "--disable-component-update", "--disable-sync", "--no-first-run"],
});
const dialogs = [];
try {
  const page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 800 });
  page.on("dialog", async (dialog) => { dialogs.push(dialog.message()); await dialog.dismiss(); });

  // Without a session the page sends the browser to the login.
  await page.goto(url + "/", { waitUntil: "networkidle0" });
  check(page.url().endsWith("/login"), "not sent to the login: " + page.url());
  await page.type("#code", "01");
  await page.type("#password", "0000");
  await page.click("#enter");
  await page.waitForFunction(() => document.getElementById("login-message").textContent !== "");
  await new Promise((resolve) => setTimeout(resolve, 1100)); // the wait after a wrong try
  await page.$eval("#password", (input) => { input.value = ""; });
  await page.type("#password", "1234");
  await Promise.all([page.waitForNavigation(), page.click("#enter")]);
  await page.waitForFunction(() => document.getElementById("operator").textContent.includes("Operador 01"));
  await page.evaluate(() => { window.notReloaded = true; });

  // A member let in appears within 2 s, the page not reloaded.
  identify("10001");
  const identified = Date.now();
  await page.waitForFunction(() => [...document.querySelectorAll("#feed tr.feed-row")]
    .some((tr) => tr.querySelector(".name").textContent === "Bruna Rocha" &&
      tr.querySelector(".outcome").textContent === "Acesso Livre"), { timeout: 5000, polling: 50 });
  const appeared = Date.now() - identified;
  check(appeared <= 2000, "the row appeared after " + appeared + " ms");
  check(await page.evaluate(() => window.notReloaded === true), "the page was reloaded");
  console.log("a row appeared " + appeared + " ms after orvalen identify ended");

  // A hostile name and observation are text: nothing runs, no element is made of them.
  identify("--observation", HOSTILE_NOTE, "10010");
  await page.waitForFunction((hostile) => [...document.querySelectorAll("#feed .name")]
    .some((cell) => cell.textContent === hostile), { timeout: 5000 }, HOSTILE);
  const planted = await page.evaluate(() => ({
    images: document.querySelectorAll('img[src="x"]').length,
    bold: document.querySelectorAll("#feed b").length,
    note: [...document.querySelectorAll("#feed td")].some((td) => td.textContent === "</script><b>nota</b>"),
  }));
  check(planted.images === 0 && planted.bold === 0, "markup from the data: " + JSON.stringify(planted));
  check(planted.note, "the hostile observation is not shown as text");

  // The reason of an overdue member, computed with today's data.
  identify("10004");
  const overdue = await page.waitForFunction(() => [...document.querySelectorAll("#feed tr.refused")]
    .find((tr) => tr.querySelector(".name").textContent === "Lívia Rocha Peixoto"), { timeout: 5000 });
  await page.screenshot({ path: join(shots, "desk-page-feed.png") });
  await overdue.asElement().click();
  await page.waitForFunction(() => document.getElementById("why-deciding").textContent !== "");
  const why = await page.evaluate(() => ({
    deciding: document.getElementById("why-deciding").textContent,
    note: document.getElementById("why-note").textContent,
    text: document.getElementById("why-text").textContent,
  }));
  check(why.deciding === "Pagamentos em dia", "deciding check: " + why.deciding);
  check(why.note === "Calculado com os dados como estão agora", "note: " + why.note);
  check(why.text.includes("Sob Consulta !!!"), "explanation: " + why.text);
  await page.screenshot({ path: join(shots, "desk-page-reason.png") });
  await page.click("#why-close");

  // The search by name, and the hostile name found as text.
  await page.click('nav button[data-view="search"]');
  await page.type("#search-text", "lívia rocha");
  await page.click("#search-form button");
  await page.waitForFunction(() => !document.getElementById("member").hidden &&
    document.getElementById("member-name").textContent === "Lívia Rocha Peixoto");
  const card = await page.evaluate(() => ({
    situation: document.getElementById("member-situation").textContent,
    entries: document.querySelectorAll("#member-entries tbody tr").length,
  }));
  check(card.situation.startsWith("Recusado"), "situation: " + card.situation);
  check(card.entries >= 1, "no entries in the member's card");
  await page.screenshot({ path: join(shots, "desk-page-member.png") });
  await page.$eval("#search-text", (input) => { input.value = ""; });
  await page.type("#search-text", "<img");
  await page.click("#search-form button");
  await page.waitForFunction((hostile) => document.getElementById("member-name").textContent === hostile,
    { timeout: 5000 }, HOSTILE);
  check(await page.evaluate(() => document.querySelectorAll('img[src="x"]').length) === 0,
    "the hostile name became an element in the search");

  // The day as a picture.
  await page.click('nav button[data-view="chart"]');
  await page.waitForFunction(() => document.querySelectorAll("#hours-svg rect.bar").length > 0);
  await page.screenshot({ path: join(shots, "desk-page-chart.png") });

  check(dialogs.length === 0, "a dialog opened: " + dialogs.join(", "));
  await Promise.all([page.waitForNavigation(), page.click("#logout")]);
  check(page.url().endsWith("/login"), "logout did not end at the login: " + page.url());
  console.log("desk page in the browser: all checks passed");
} finally {
  await browser.close();
  rmSync(profile, { recursive: true, force: true });
}
