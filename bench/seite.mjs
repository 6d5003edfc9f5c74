// Measures the browser's page in headless Chromium beside a page that only
// echoes keys through the same xterm.js with the same options (the screen
// reader mode among them): the file's size, the time from opening it to
// the menu on the screen, and from a menu key to the next screen
// (medians), at full speed and with the CPU slowed six-fold, as on an old
// phone. The echo page's texts are the program's, from dialoge.txt. Run
// beside the page's driver, whose folder .ci/seite makes with its packages:
//   cp bench/seite.mjs build/seitentests/ && (cd build/seitentests &&
//     node seite.mjs ../web/buchstabenspiele.html ../web/seite/node_modules ../../tests/dialoge.txt)
import { chromium } from "playwright-core";
import { readFileSync, statSync, writeFileSync, mkdtempSync } from "node:fs";
import { join } from "node:path";
import { tmpdir } from "node:os";
import { pathToFileURL } from "node:url";
import { dialogelesen } from "./dialoge.mjs";

const [seitenpfad, pakete, dialogpfad] = process.argv.slice(2);
const { namen } = dialogelesen(dialogpfad);
const crlf = (text) => text.replace(/\n/g, "\r\n");
const runden = 20;
const tasten = 10;   // keys measured per opening

// The echo page: the same terminal and stylesheet, the menu written at
// once, every key written back, and for "!" the screen the program writes
// for it (the clear, the invalid-choice text, the menu), so that both
// pages' terminals parse the same bytes.
const xterm = (datei) => readFileSync(join(pakete, "@xterm", datei), "utf8").replace(/\n\/\/# sourceMappingURL=.*/, "");
const echopfad = join(mkdtempSync(join(tmpdir(), "echo")), "echo.html");
writeFileSync(echopfad, `<!DOCTYPE html><html><head><meta charset="utf-8"><style>${xterm("xterm/css/xterm.css")}
html, body { margin: 0; height: 100%; } body { display: flex; } #t { flex: 1; padding: 4px; }</style></head>
<body><div id="t"></div><script>${xterm("xterm/lib/xterm.js")}</script><script>${xterm("addon-fit/lib/addon-fit.js")}</script><script>
const terminal = new Terminal({ cursorBlink: true, fontSize: 16, scrollback: 1000, screenReaderMode: true });
const anpassen = new FitAddon.FitAddon(); terminal.loadAddon(anpassen);
terminal.open(document.getElementById("t")); anpassen.fit(); terminal.focus();
window.terminal = terminal; terminal.write(${JSON.stringify(crlf(namen.menue))});
terminal.onData((d) => terminal.write(d === "!" ? ${JSON.stringify(crlf(namen.nochmal))} : d));
</script></body></html>`);

const median = (werte) => [...werte].sort((a, b) => a - b)[Math.floor(werte.length / 2)];

async function messen(browser, pfad, bremse) {
  const oeffnen = [], taste = [];
  for (let i = 0; i < runden; i++) {
    const seite = await browser.newPage();
    const cdp = await seite.context().newCDPSession(seite);
    await cdp.send("Emulation.setCPUThrottlingRate", { rate: bremse });
    const anfang = Date.now();
    await seite.goto(pathToFileURL(pfad).href);
    await seite.waitForFunction(() => {
      const p = window.terminal && window.terminal.buffer.active;
      for (let z = 0; p && z < window.terminal.rows; z++)
        if (p.getLine(z).translateToString(true).startsWith("D - Ende")) return true;
      return false;
    }, null, { polling: "raf" });
    oeffnen.push(Date.now() - anfang);
    // Inside the page, from the key's event to the screen parsed, for
    // each of a few keys.
    await seite.evaluate(() => {
      document.addEventListener("keydown", () => { window.gedrueckt = performance.now(); window.geparst = null; }, true);
      window.terminal.onWriteParsed(() => { if (window.geparst === null) window.geparst = performance.now(); });
    });
    for (let k = 0; k < tasten; k++) {
      await seite.keyboard.press("!");
      await seite.waitForFunction(() => window.geparst !== null);
      taste.push(await seite.evaluate(() => Math.round((window.geparst - window.gedrueckt) * 100) / 100));
    }
    await seite.close();
  }
  return { groesse: statSync(pfad).size, oeffnen: median(oeffnen), taste: median(taste) };
}

const browser = await chromium.launch({ executablePath: "/usr/bin/chromium", args: ["--no-sandbox", "--disable-gpu"] });
console.log("                        page    echo page   ratio");
for (const bremse of [1, 6]) {
  const seite = await messen(browser, seitenpfad, bremse);
  const echo = await messen(browser, echopfad, bremse);
  const wie = bremse === 1 ? "" : ` (CPU /${bremse})`;
  for (const [name, feld, einheit] of [["size", "groesse", " B"], ["open to menu", "oeffnen", " ms"], ["key to screen", "taste", " ms"]]) {
    if (feld === "groesse" && bremse !== 1) continue;
    console.log(`${(name + wie).padEnd(20)} ${String(seite[feld]).padStart(8)}${einheit} ${String(echo[feld]).padStart(8)}${einheit}   ${(seite[feld] / echo[feld]).toFixed(2)}`);
  }
}
await browser.close();
