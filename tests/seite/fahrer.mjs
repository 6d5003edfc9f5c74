// The page in headless Chromium, as its users meet it: every dialogue of
// dialoge.txt, the screen compared after each step with what xterm.js
// shows for the bytes the dialogue expects; then what only the page has.
// node fahrer.mjs SEITE DIALOGE; Debian's chromium at /usr/bin/chromium.
import { chromium } from "playwright-core";
import { readFileSync } from "node:fs";
import { pathToFileURL } from "node:url";

const [seitenpfad, dialogpfad] = process.argv.slice(2);
const adresse = pathToFileURL(seitenpfad).href;
const geduldms = 20000;   // a hang guard, not a timing check

// dialoge.txt: a word, a name where it needs one, a JSON string.
function dialogelesen(datei) {
  const namen = { loeschen: "\x1b[H\x1b[2J" };
  const aufloesen = (wert) =>
    wert.replace(/\{([^}]*)\}/g, (_, name) => {
      if (!(name in namen)) throw new Error(`${datei}: unknown name {${name}}`);
      return namen[name];
    });
  const dialoge = [];
  for (const zeile of readFileSync(datei, "utf8").split("\n")) {
    if (!zeile || zeile.startsWith("#")) continue;
    const [wort, name] = zeile.split(" ");
    if (wort === "dialog") {
      dialoge.push({ name: zeile.slice(7), schritte: [] });
      continue;
    }
    const wert = aufloesen(JSON.parse(zeile.slice(zeile.indexOf('"'))));
    const schritte = dialoge.length ? dialoge[dialoge.length - 1].schritte : null;
    if (wort === "text" || wort === "taste") namen[name] = wert;
    else if (wort === "tippt") schritte.push({ tippt: wert, zeigt: "" });
    else if (wort === "zeigt" && (!schritte.length || schritte[schritte.length - 1].zeigt)) schritte.push({ tippt: "", zeigt: wert });
    else if (wort === "zeigt") schritte[schritte.length - 1].zeigt = wert;
    else throw new Error(`${datei}: ${zeile}`);
  }
  return { namen, dialoge };
}

// In the page: the terminal's screen, rows without trailing blanks, empty
// rows at the end left out; and the same for bytes written into a fresh
// terminal of the same size.
const seitenhelfer = () => {
  const zeigen = (t) => {
    const puffer = t.buffer.active;
    const zeilen = [];
    for (let i = 0; i < t.rows; i++) zeilen.push(puffer.getLine(puffer.viewportY + i).translateToString(true).trimEnd());
    while (zeilen.length && !zeilen[zeilen.length - 1]) zeilen.pop();
    return zeilen.join("\n");
  };
  window.schirm = () => zeigen(window.terminal);
  window.schirmfuer = (bytes) =>
    new Promise((fertig) => {
      const t = new Terminal({ cols: window.terminal.cols, rows: window.terminal.rows });
      t.write(bytes, () => {
        fertig(zeigen(t));
        t.dispose();
      });
    });
};

async function oeffnen(kontext) {
  const seite = await kontext.newPage();
  const fehler = [];
  seite.on("pageerror", (e) => fehler.push(String(e)));
  seite.on("request", (r) => {
    if (r.url() !== adresse) fehler.push("request: " + r.url());
  });
  await seite.goto(adresse);
  await seite.waitForFunction(() => window.terminal && window.buchstabenspiele);
  await seite.evaluate(seitenhelfer);
  seite.fehler = fehler;
  return seite;
}

async function zeigt(seite, bytes) {
  const soll = await seite.evaluate((b) => window.schirmfuer(b), bytes);
  try {
    await seite.waitForFunction((s) => window.schirm() === s, soll, { timeout: geduldms, polling: 20 });
  } catch {
    throw new Error(`expected:\n${soll}\nshown:\n${await seite.evaluate(() => window.schirm())}`);
  }
}

async function beendet(seite, status) {
  await seite.waitForSelector("#ende:not([hidden])", { timeout: geduldms });
  const text = await seite.textContent("#endetext");
  if (!text.includes(`(Status ${status})`)) throw new Error(`end: ${text}, not status ${status}`);
}

const tippen = (seite, tasten) => seite.evaluate((t) => window.terminal.input(t, true), tasten);
const crlf = (text) => text.replace(/\n/g, "\r\n");

async function dialogfahren(kontext, d) {
  const seite = await oeffnen(kontext);
  let bisher = "";
  for (const [i, s] of d.schritte.entries()) {
    await tippen(seite, s.tippt);
    bisher += s.zeigt;
    if (i + 1 < d.schritte.length) await zeigt(seite, crlf(bisher));
  }
  await beendet(seite, 0);
  return seite;
}

// What only the page has.
function eigene(namen) {
  const { menue, schluss } = namen;
  return [
    ["fokus beim oeffnen: die erste taste spielt", async (kontext) => {
      const seite = await oeffnen(kontext);
      await zeigt(seite, crlf(menue));
      await seite.keyboard.press("d");
      await zeigt(seite, crlf(menue + schluss));
      await seite.keyboard.press("x");
      await beendet(seite, 0);
      return seite;
    }],
    ["backspace ueber einem umlaut", async (kontext) => {
      const seite = await oeffnen(kontext);
      await zeigt(seite, crlf(menue));
      await seite.keyboard.press("b");
      await seite.keyboard.type("B\u00e4");
      await seite.keyboard.press("Backspace");
      await seite.keyboard.type("a");
      await seite.keyboard.press("Enter");
      await zeigt(seite, crlf(namen.zaehlspiel + "B\u00e4\b \ba\n" + namen.gross + "1\n" + namen.klein + "1\n" + namen.insgesamt + "2\n" + menue));
      return seite;
    }],
    ["strg-c mit auswahl kopiert, ohne beendet", async (kontext) => {
      const seite = await oeffnen(kontext);
      await zeigt(seite, crlf(menue));
      await seite.keyboard.press("b");
      await zeigt(seite, crlf(namen.zaehlspiel));
      await seite.keyboard.type("Hal");
      await seite.evaluate(() => window.terminal.selectAll());
      await seite.keyboard.press("Control+c");
      await seite.evaluate(() => window.terminal.clearSelection());
      await seite.keyboard.type("lo");
      await seite.keyboard.press("Enter");
      await zeigt(seite, crlf(namen.zaehlspiel + "Hallo\n" + namen.gross + "1\n" + namen.klein + "4\n" + namen.insgesamt + "5\n" + menue));
      await seite.keyboard.press("c");
      await seite.keyboard.type("Ha");
      await seite.keyboard.press("Control+c");
      await beendet(seite, 130);
      return seite;
    }],
    ["ende und neustart mit frischen puffern", async (kontext) => {
      const seite = await oeffnen(kontext);
      await tippen(seite, "aHallo\rl\r");
      await zeigt(seite, crlf(namen.suchspiel + "Hallo\n" + namen.buchstabenfrage + "l\nDer 3. Buchstabe ist ein l\nDer 4. Buchstabe ist ein l\n" + menue));
      await tippen(seite, "dx");
      await beendet(seite, 0);
      await seite.keyboard.press("Enter");
      await seite.waitForSelector("#ende", { state: "hidden" });
      await zeigt(seite, crlf(menue));
      // A new run: nothing of "Hallo" behind a shorter word.
      await tippen(seite, "aab\rl\r");
      await zeigt(seite, crlf(namen.suchspiel + "ab\n" + namen.buchstabenfrage + "l\n" + menue));
      return seite;
    }],
    // NUL and a control enter the line, visible; a special key's sequence
    // does nothing there.
    ["einfuegen mit nul, steuerzeichen und sondertaste", async (kontext) => {
      const seite = await oeffnen(kontext);
      await zeigt(seite, crlf(menue));
      await tippen(seite, "b");
      await zeigt(seite, crlf(namen.zaehlspiel));
      await seite.evaluate((t) => window.terminal.paste(t), "Ha\u0000\u0001\u001b[Allo\r");
      await zeigt(seite, crlf(namen.zaehlspiel + "Ha^@^Allo\n" + namen.gross + "1\n" + namen.klein + "4\n" + namen.insgesamt + "5\n" + menue));
      return seite;
    }],
    ["einfuegen von 100 kb", async (kontext) => {
      const seite = await oeffnen(kontext);
      await zeigt(seite, crlf(menue));
      await tippen(seite, "b");
      await zeigt(seite, crlf(namen.zaehlspiel));
      const zeilen = "x".repeat(100 * 1024);
      await seite.evaluate((t) => window.terminal.paste(t), zeilen + "\r");
      const gezeigt = "x".repeat(4095);
      await zeigt(seite, crlf(namen.zaehlspiel + gezeigt + "\n" + namen.gross + "0\n" + namen.klein + "29\n" + namen.insgesamt + "29\n" + menue));
      await tippen(seite, "dx");
      await beendet(seite, 0);
      return seite;
    }],
  ];
}

const browser = await chromium.launch({
  executablePath: "/usr/bin/chromium",
  args: ["--no-sandbox", "--disable-gpu", "--disable-background-networking", "--disable-component-update",
         "--disable-sync", "--no-first-run"],
});
const { namen, dialoge } = dialogelesen(dialogpfad);
const faelle = [...dialoge.map((d) => [d.name, (k) => dialogfahren(k, d)]), ...eigene(namen)];
let fehlgeschlagen = 0;
for (const [name, fall] of faelle) {
  const kontext = await browser.newContext({ viewport: { width: 900, height: 700 } });
  const anfang = Date.now();
  try {
    const seite = await fall(kontext);
    if (seite.fehler.length) throw new Error(seite.fehler.join("\n"));
    console.log(`ok      ${name} (${Date.now() - anfang} ms)`);
  } catch (e) {
    fehlgeschlagen++;
    console.log(`FAILED  ${name}\n${e.message}`);
  }
  await kontext.close();
}
await browser.close();
console.log(`seite: ${faelle.length - fehlgeschlagen} of ${faelle.length} passed (${dialoge.length} dialogues, ${faelle.length - dialoge.length} of the page's own)`);
process.exit(fehlgeschlagen ? 1 : 0);
