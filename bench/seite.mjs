// Measures the browser's page in headless Chromium beside a page that only
// echoes keys through the same xterm.js: the file's size, the time from
// opening it to the menu on the screen, and from a menu key to the next
// screen (medians). Run after the web build, from a folder where
// tests/seite's packages are installed (.ci/seite makes build/seitentests):
//   node bench/seite.mjs build/web/buchstabenspiele.html build/web/seite/node_modules
import { chromium } from "playwright-core";
import { readFileSync, statSync, writeFileSync, mkdtempSync } from "node:fs";
import { join } from "node:path";
import { tmpdir } from "node:os";
import { pathToFileURL } from "node:url";

const [seitenpfad, pakete] = process.argv.slice(2);
const runden = 20;

// The echo page: the same terminal and stylesheet, the menu written at
// once, every key written back, and for "!" the screen the program writes
// for it (the clear, the invalid-choice text, the menu), so that both
// pages' terminals parse the same bytes.
const xterm = (datei) => readFileSync(join(pakete, "@xterm", datei), "utf8").replace(/\n\/\/# sourceMappingURL=.*/, "");
const menue = "\r\nWillkommen im Hauptmenue\r\n\r\nWaehlen Sie:\r\nA - Buchstabensuchspiel\r\nB - Buchstabenzaehlspiel\r\nC - Wortinversion\r\nD - Ende\r\n\r\n";
const echopfad = join(mkdtempSync(join(tmpdir(), "echo")), "echo.html");
writeFileSync(echopfad, `<!DOCTYPE html><html><head><meta charset="utf-8"><style>${xterm("xterm/css/xterm.css")}</style></head>
<body><div id="t"></div><script>${xterm("xterm/lib/xterm.js")}</script><script>
const terminal = new Terminal(); terminal.open(document.getElementById("t")); terminal.focus();
window.terminal = terminal; terminal.write(${JSON.stringify(menue)});
terminal.onData((d) => terminal.write(d === "!" ? ${JSON.stringify("[H[2JDer eingegeben Buchstabe entspricht keinem der Menuepunkte" + menue)} : d));
</script></body></html>`);

const median = (werte) => [...werte].sort((a, b) => a - b)[Math.floor(werte.length / 2)];

async function messen(browser, pfad) {
  const oeffnen = [], taste = [];
  for (let i = 0; i < runden; i++) {
    const seite = await browser.newPage();
    const anfang = Date.now();
    await seite.goto(pathToFileURL(pfad).href);
    await seite.waitForFunction(() => {
      const p = window.terminal && window.terminal.buffer.active;
      for (let z = 0; p && z < window.terminal.rows; z++)
        if (p.getLine(z).translateToString(true).startsWith("D - Ende")) return true;
      return false;
    }, null, { polling: "raf" });
    oeffnen.push(Date.now() - anfang);
    // Inside the page, from the key's event to the screen parsed.
    await seite.evaluate(() => {
      window.geparst = null;
      document.addEventListener("keydown", () => { window.gedrueckt = performance.now(); }, true);
      window.terminal.onWriteParsed(() => { if (window.geparst === null) window.geparst = performance.now(); });
    });
    await seite.keyboard.press("!");
    await seite.waitForFunction(() => window.geparst !== null);
    taste.push(await seite.evaluate(() => Math.round((window.geparst - window.gedrueckt) * 100) / 100));
    await seite.close();
  }
  return { groesse: statSync(pfad).size, oeffnen: median(oeffnen), taste: median(taste) };
}

const browser = await chromium.launch({ executablePath: "/usr/bin/chromium", args: ["--no-sandbox", "--disable-gpu"] });
const seite = await messen(browser, seitenpfad);
const echo = await messen(browser, echopfad);
await browser.close();
console.log("                  page    echo page   ratio");
for (const [name, feld, einheit] of [["size", "groesse", " B"], ["open to menu", "oeffnen", " ms"], ["key to screen", "taste", " ms"]])
  console.log(`${name.padEnd(14)} ${String(seite[feld]).padStart(8)}${einheit} ${String(echo[feld]).padStart(8)}${einheit}   ${(seite[feld] / echo[feld]).toFixed(2)}`);
