// The page as its users meet it, in Chromium, Firefox ESR and WebKitGTK
// (treiber.mjs): every dialogue of dialoge.txt, the screen compared after
// each step with what xterm.js shows for the bytes the dialogue expects;
// then what only the page has, each case in every engine that can run it.
// node fahrer.mjs SEITE DIALOGE [ENGINE...]; one line per engine says
// what ran, and one for an engine this host lacks.
import { readFileSync } from "node:fs";
import { createRequire } from "node:module";
import { pathToFileURL } from "node:url";
import { dialogelesen } from "./dialoge.mjs";
import { maschinen } from "./treiber.mjs";

const [seitenpfad, dialogpfad, ...gewaehlt] = process.argv.slice(2);
const adresse = pathToFileURL(seitenpfad).href;
const geduldms = 20000;   // a hang guard, not a timing check
const axequelle = readFileSync(createRequire(import.meta.url).resolve("axe-core/axe.min.js"), "utf8");

// In the page: the terminal's screen, rows without trailing blanks, empty
// rows at the end left out; the same for bytes written into a fresh
// terminal of the same size; what a screen reader is given; and every
// error, blocked request and request seen from inside.
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
  window.puffer = () => {
    const p = window.terminal.buffer.active;
    return Array.from({ length: p.length }, (_, i) => p.getLine(i).translateToString(true).trimEnd()).join("\n");
  };
  window.baum = () => [...document.querySelectorAll(".xterm-accessibility-tree > div")]
    .map((z) => z.textContent.replace(/\u00a0/g, "").trimEnd()).join("\n").trimEnd();
  window.glatt = (text) => text.replace(/\s+/g, " ").trim();
  window.vorgelesen = () => window.glatt(document.querySelector(".xterm .live-region").textContent);
  window.seitenfehler = [];
  window.addEventListener("error", (e) => window.seitenfehler.push(String(e.message)));
  window.addEventListener("unhandledrejection", (e) => window.seitenfehler.push("rejection: " + String(e.reason)));
  document.addEventListener("securitypolicyviolation", (e) => window.seitenfehler.push("blocked: " + e.blockedURI));
};

const glatt = (text) => text.replace(/\x1b\[[0-9;]*[A-Za-z]/g, "").replace(/\s+/g, " ").trim();
const pause = (ms) => new Promise((weiter) => setTimeout(weiter, ms));

async function warten(seite, fn, wert, sagen) {
  const bis = Date.now() + geduldms;
  while (!(await seite.auswerten(fn, wert))) {
    if (Date.now() > bis) throw new Error(await sagen());
    await pause(20);
  }
}

// system: the system's settings the page finds (treiber.mjs).
async function oeffnen(browser, breite = 900, hoehe = 700, system = {}) {
  const seite = await browser.seite(breite, hoehe, system);
  await seite.oeffnen(adresse);
  await warten(seite, () => Boolean(window.terminal && window.buchstabenspiele), null, () => "no terminal on the page");
  await seite.auswerten(seitenhelfer);
  return seite;
}

async function zeigt(seite, bytes) {
  const soll = await seite.auswerten((b) => window.schirmfuer(b), bytes);
  await warten(seite, (s) => window.schirm() === s, soll,
               async () => `expected:\n${soll}\nshown:\n${await seite.auswerten(() => window.schirm())}`);
}

// What the live region holds since the last key, blanks folded.
async function liest(seite, text) {
  await warten(seite, (s) => window.vorgelesen() === s, glatt(text),
               async () => `read out:\n${await seite.auswerten(() => window.vorgelesen())}\nexpected:\n${glatt(text)}`);
}

async function beendet(seite, status) {
  await warten(seite, () => !document.getElementById("ende").hidden, null, () => "no end line");
  const text = await seite.auswerten(() => document.getElementById("endetext").textContent);
  if (!text.includes(`(Status ${status})`)) throw new Error(`end: ${text}, not status ${status}`);
}

const tippen = (seite, tasten) => seite.auswerten((t) => window.terminal.input(t, true), tasten);
const crlf = (text) => text.replace(/\n/g, "\r\n");
const fokus = (seite) => seite.auswerten(() => {
  const e = document.activeElement;
  return e === window.terminal.textarea ? "terminal" : e.id || e.tagName.toLowerCase();
});

// axe-core's checks, the enhanced contrast of 7:1 among them.
async function axe(seite, wo) {
  if (!(await seite.auswerten(() => Boolean(window.axe)))) await seite.skript(axequelle);
  const verstoesse = await seite.auswerten(async () => {
    const { violations } = await window.axe.run(document, { rules: { "color-contrast-enhanced": { enabled: true } } });
    return violations.map((v) => `${v.id} (${v.impact}): ${v.nodes.map((n) => n.target.join(" ")).join(", ")}`);
  });
  if (verstoesse.length) throw new Error(`axe-core at ${wo}:\n${verstoesse.join("\n")}`);
}

async function dialogfahren(browser, d) {
  const seite = await oeffnen(browser);
  let bisher = "";
  for (const [i, s] of d.schritte.entries()) {
    await tippen(seite, s.tippt);
    bisher += s.zeigt;
    if (i + 1 < d.schritte.length) await zeigt(seite, crlf(bisher));
  }
  await beendet(seite, d.endet === "strgc" ? 130 : 0);   // as a shell reports Ctrl-C
  return seite;
}

// Under a contrast theme: the cursor, the selection and the selected
// text in the system's highlight, the screen reader's copy of the rows
// unseen over them.
async function kontrastsichtbar(seite) {
  await seite.auswerten(() => window.terminal.select(0, 2, 3));
  await warten(seite, () => Boolean(document.querySelector('.xterm-rows span[style*="background-color"]')), null, () => "no selection drawn");
  const farben = await seite.auswerten(() => new Promise((fertig) => requestAnimationFrame(() => {
    const probe = document.createElement("div");
    probe.style.cssText = "background-color: Highlight; color: Canvas";
    document.body.append(probe);
    const farbe = (sel, was) => { const e = document.querySelector(sel); return e ? getComputedStyle(e)[was] : "none"; };
    const werte = {
      markierung: getComputedStyle(probe).backgroundColor, grund: getComputedStyle(probe).color,
      cursor: farbe(".xterm-rows .xterm-cursor", "backgroundColor"), auswahl: farbe(".xterm-selection div", "backgroundColor"),
      ausgewaehlt: farbe('.xterm-rows span[style*="background-color"]', "backgroundColor"),
      // the screen reader's copy of the rows lies over them, unseen
      abschrift: farbe(".xterm-accessibility-tree > div", "color"),
    };
    probe.remove();
    fertig(werte);
  })));
  if (farben.cursor !== farben.markierung || farben.auswahl !== farben.markierung || farben.ausgewaehlt !== farben.markierung ||
      farben.markierung === farben.grund || farben.abschrift !== "rgba(0, 0, 0, 0)")
    throw new Error(`forced colors: ${JSON.stringify(farben)}`);
  await seite.auswerten(() => window.terminal.clearSelection());
}

// A phone's keyboard: text inserted without a key. Chromium's is its own
// input path (CDP); elsewhere the same events are dispatched on the
// terminal's input field.
async function einfuegen(seite, text) {
  if (seite.cdp) return seite.cdp.send("Input.insertText", { text });
  await seite.auswerten((t) => {
    const feld = window.terminal.textarea;
    const art = t === "\n" ? "insertLineBreak" : "insertText";
    feld.dispatchEvent(new InputEvent("beforeinput", { inputType: art, data: art === "insertText" ? t : null, cancelable: true, bubbles: true }));
  }, text);
}
async function wegloeschen(seite) {
  if (seite.cdp)
    return seite.cdp.send("Input.dispatchKeyEvent", { type: "rawKeyDown", windowsVirtualKeyCode: 229, key: "Unidentified", commands: ["deleteBackward"] });
  await seite.auswerten(() => window.terminal.textarea.dispatchEvent(
    new InputEvent("beforeinput", { inputType: "deleteContentBackward", cancelable: true, bubbles: true })));
}

// Whether the cursor's row is inside what the window shows.
const cursorsichtbar = () => {
  const cursor = document.querySelector(".xterm-rows .xterm-cursor");
  const sicht = window.visualViewport ? window.visualViewport.height : window.innerHeight;
  return Boolean(cursor) && cursor.getBoundingClientRect().bottom <= sicht + 0.5;
};

// What only the page has: [name, case, engines that cannot run it and why].
function eigene(namen) {
  const { menue, schluss } = namen;
  const ergebnis = (wort, g, k) => crlf(namen.zaehlspiel + wort + "\n" + namen.gross + g + "\n" + namen.klein + k + "\n" + namen.insgesamt + (g + k) + "\n" + menue);
  const nurchromium = { firefox: "its driver emulates no media features", webkit: "its WebDriver emulates no media features" };
  return [
    ["fokus beim oeffnen: die erste taste spielt", async (b) => {
      const seite = await oeffnen(b);
      await zeigt(seite, crlf(menue));
      await seite.taste("d");
      await zeigt(seite, crlf(menue + schluss));
      await seite.taste("x");
      await beendet(seite, 0);
      return seite;
    }],
    ["backspace ueber einem umlaut", async (b) => {
      const seite = await oeffnen(b);
      await zeigt(seite, crlf(menue));
      await seite.taste("b");
      await seite.tippen("B\u00e4");
      await seite.taste("Backspace");
      await seite.tippen("a");
      await seite.taste("Enter");
      await zeigt(seite, crlf(namen.zaehlspiel + "B\u00e4\b \ba\n" + namen.gross + "1\n" + namen.klein + "1\n" + namen.insgesamt + "2\n" + menue));
      return seite;
    }],
    ["strg-c mit auswahl kopiert, ohne beendet", async (b) => {
      const seite = await oeffnen(b);
      await zeigt(seite, crlf(menue));
      await seite.taste("b");
      await zeigt(seite, crlf(namen.zaehlspiel));
      await seite.tippen("Hal");
      await seite.auswerten(() => window.terminal.selectAll());
      await seite.taste("Control+c");
      await seite.auswerten(() => window.terminal.clearSelection());
      await seite.tippen("lo");
      await seite.taste("Enter");
      await zeigt(seite, ergebnis("Hallo", 1, 4));
      await seite.taste("c");
      await seite.tippen("Ha");
      await seite.taste("Control+c");
      await beendet(seite, 130);
      return seite;
    }],
    ["ende und neustart mit frischen puffern", async (b) => {
      const seite = await oeffnen(b);
      await tippen(seite, "aHallo\rl\r");
      await zeigt(seite, crlf(namen.suchspiel + "Hallo\n" + namen.buchstabenfrage + "l\nDer 3. Buchstabe ist ein l\nDer 4. Buchstabe ist ein l\n" + menue));
      await tippen(seite, "dx");
      await beendet(seite, 0);
      await seite.taste("Enter");
      await warten(seite, () => document.getElementById("ende").hidden, null, () => "the end line stayed");
      await zeigt(seite, crlf(menue));
      // A new run: nothing of "Hallo" behind a shorter word.
      await tippen(seite, "aab\rl\r");
      await zeigt(seite, crlf(namen.suchspiel + "ab\n" + namen.buchstabenfrage + "l\n" + menue));
      return seite;
    }],
    // NUL and a control enter the line, visible; a special key's sequence
    // does nothing there.
    ["einfuegen mit nul, steuerzeichen und sondertaste", async (b) => {
      const seite = await oeffnen(b);
      await zeigt(seite, crlf(menue));
      await tippen(seite, "b");
      await zeigt(seite, crlf(namen.zaehlspiel));
      await seite.auswerten((t) => window.terminal.paste(t), "Ha\u0000\u0001\u001b[Allo\r");
      await zeigt(seite, ergebnis("Ha^@^Allo", 1, 4));
      return seite;
    }],
    ["einfuegen von 100 kb", async (b) => {
      const seite = await oeffnen(b);
      await zeigt(seite, crlf(menue));
      await tippen(seite, "b");
      await zeigt(seite, crlf(namen.zaehlspiel));
      await seite.auswerten((t) => window.terminal.paste(t), "x".repeat(100 * 1024) + "\r");
      await zeigt(seite, ergebnis("x".repeat(4095), 0, 29));
      await tippen(seite, "dx");
      await beendet(seite, 0);
      return seite;
    }],
    // The tree holds the screen's rows, the live region each screen's new
    // text; a typed word is spoken once, from the input field, and its
    // echo is not read out again; a menu key's screen is read whole.
    ["vorleser: zeilen, live-region und eingabe", async (b) => {
      const seite = await oeffnen(b);
      await zeigt(seite, crlf(menue));
      const aufbau = await seite.auswerten(() => ({
        name: window.terminal.textarea.getAttribute("aria-label"),
        imhaupt: Boolean(document.querySelector("main #terminal .xterm")),
        status: document.getElementById("ende").getAttribute("role"),
      }));
      if (!/Buchstabenspiele/.test(aufbau.name) || /Terminal input/.test(aufbau.name)) throw new Error(`input named ${aufbau.name}`);
      if (!aufbau.imhaupt || aufbau.status !== "status") throw new Error(JSON.stringify(aufbau));
      await warten(seite, (soll) => window.baum() === soll, menue.trimEnd(),
                   async () => `rows in the tree:\n${await seite.auswerten(() => window.baum())}`);
      if (seite.cdp) {
        // The tree as Chromium hands it to a screen reader: the landmarks,
        // the input by its name, the menu's lines in reading order.
        const { nodes } = await seite.cdp.send("Accessibility.getFullAXTree");
        const knoten = nodes.filter((k) => !k.ignored).map((k) => [k.role && k.role.value, k.name && k.name.value]);
        const rollen = new Set(knoten.map(([rolle]) => rolle));
        const texte = knoten.filter(([rolle]) => rolle === "StaticText").map(([, name]) => name).join("\n");
        const zeilen = menue.split("\n").filter(Boolean);
        if (!["main", "contentinfo", "heading", "list", "listitem"].every((r) => rollen.has(r)))
          throw new Error(`landmarks: ${[...rollen].join(", ")}`);
        if (!knoten.some(([rolle, name]) => rolle === "textbox" && name === "Eingabe der Buchstabenspiele"))
          throw new Error("no textbox named Eingabe der Buchstabenspiele");
        let stelle = 0;
        for (const zeile of zeilen) {
          stelle = texte.indexOf(zeile, stelle);
          if (stelle < 0) throw new Error(`the tree lacks "${zeile}" in order:\n${texte}`);
        }
      }
      await axe(seite, "the menu");
      await seite.taste("B");
      await liest(seite, namen.zaehlspiel);
      await seite.tippen("Hallo");
      await zeigt(seite, crlf(namen.zaehlspiel + "Hallo"));
      await pause(100);
      if (await seite.auswerten(() => window.vorgelesen())) throw new Error("the echo of a typed word was read out");
      await axe(seite, "a word prompt");
      await seite.taste("Enter");
      await liest(seite, "\n" + namen.gross + "1\n" + namen.klein + "4\n" + namen.insgesamt + "5\n" + menue);
      await seite.taste("c");
      await liest(seite, namen.inversion);
      await seite.tippen("Regen");
      await seite.taste("Enter");
      await liest(seite, "\nnegeR" + menue);
      await seite.taste("d");
      await liest(seite, schluss);
      await seite.taste("x");
      await beendet(seite, 0);
      await axe(seite, "the end line");
      return seite;
    }],
    ["vorleser: zu viel ausgabe, die seite antwortet", async (b) => {
      const seite = await oeffnen(b);
      await zeigt(seite, crlf(menue));
      await seite.taste("b");
      await zeigt(seite, crlf(namen.zaehlspiel));
      await seite.auswerten((t) => window.terminal.paste(t), "\r".repeat(100 * 1024) + "Hallo\r");
      await warten(seite, () => window.schirm().endsWith("D - Ende"), null, () => "no menu after the paste");
      await warten(seite, () => window.vorgelesen().includes("Zu viel Ausgabe zum Vorlesen; die Zeilen lassen sich einzeln lesen."),
                   null, async () => `read out:\n${await seite.auswerten(() => window.vorgelesen())}`);
      await seite.taste("d");
      await zeigt(seite, crlf(schluss));
      await seite.taste("x");
      await beendet(seite, 0);
      return seite;
    }],
    // Tab leaves the terminal for the button beside the hint, Shift-Tab
    // and the button come back; at the end Enter starts again wherever
    // the focus is.
    ["tab fuehrt hinaus und zurueck, enter startet ueberall neu", async (b) => {
      const seite = await oeffnen(b);
      await zeigt(seite, crlf(menue));
      const wege = [];
      await seite.taste("Tab");
      wege.push(await fokus(seite));
      await seite.taste("Shift+Tab");
      wege.push(await fokus(seite));
      await seite.taste("b");
      await zeigt(seite, crlf(namen.zaehlspiel));
      await seite.taste("Tab");
      wege.push(await fokus(seite));
      await seite.taste("Enter");   // the button takes the focus back in
      wege.push(await fokus(seite));
      await seite.tippen("Ab");
      await seite.taste("Enter");
      await zeigt(seite, ergebnis("Ab", 1, 1));
      if (wege.join(" ") !== "zurueck terminal zurueck terminal") throw new Error(`focus went ${wege.join(", ")}`);
      for (const ziel of ["terminal", "zurueck", "neustart", "body"]) {
        await tippen(seite, "dx");
        await beendet(seite, 0);
        await seite.auswerten((z) => {
          if (z === "terminal") window.terminal.focus();
          else if (z === "body") document.activeElement.blur();
          else document.getElementById(z).focus();
        }, ziel);
        await seite.taste("Enter");
        await warten(seite, () => document.getElementById("ende").hidden, null, () => `Enter with the focus on ${ziel} did not start again`);
        await zeigt(seite, crlf(menue));
        if ((await fokus(seite)) !== "terminal") throw new Error(`after a new start from ${ziel} the focus is not in the terminal`);
      }
      return seite;
    }],
    // A phone: a tap's keyboard inserts text; a composition is taken when
    // committed; Backspace erases with the input field empty; the layout
    // shrinks with the keyboard, the line being typed in view.
    ["telefon: eingefuegter text, verfassen, backspace, tastatur auf", async (b) => {
      const seite = await oeffnen(b, 393, 851);
      if (seite.cdp) {
        await seite.cdp.send("Emulation.setDeviceMetricsOverride", { width: 393, height: 851, deviceScaleFactor: 2.75, mobile: true });
        await seite.cdp.send("Emulation.setTouchEmulationEnabled", { enabled: true });
      }
      await zeigt(seite, crlf(menue));
      await einfuegen(seite, "b");
      await zeigt(seite, crlf(namen.zaehlspiel));
      if (seite.cdp) {
        for (const teil of ["G", "Gr", "Gr\u00f6", "Gr\u00f6\u00df", "Gr\u00f6\u00dfe"])
          await seite.cdp.send("Input.imeSetComposition", { text: teil, selectionStart: teil.length, selectionEnd: teil.length });
        await seite.cdp.send("Input.insertText", { text: "Gr\u00f6\u00dfe" });
      } else {
        await einfuegen(seite, "Gr\u00f6\u00dfe");
      }
      await zeigt(seite, crlf(namen.zaehlspiel + "Gr\u00f6\u00dfe"));
      await einfuegen(seite, "\n");
      await zeigt(seite, ergebnis("Gr\u00f6\u00dfe", 1, 2));
      await einfuegen(seite, "b");
      await einfuegen(seite, "Hallo\n");
      await zeigt(seite, ergebnis("Hallo", 1, 4));
      await einfuegen(seite, "b");
      await einfuegen(seite, "Hx");
      await wegloeschen(seite);
      await einfuegen(seite, "\n");
      await zeigt(seite, ergebnis("Hx\b \b", 1, 3));
      // The keyboard opens over half the screen at a word prompt.
      await einfuegen(seite, "c");
      await zeigt(seite, crlf(namen.inversion));
      if (seite.cdp) await seite.cdp.send("Emulation.setDeviceMetricsOverride", { width: 393, height: 420, deviceScaleFactor: 2.75, mobile: true });
      else await seite.groesse(393, 420);
      await einfuegen(seite, "Welt");
      await warten(seite, cursorsichtbar, null, () => "the line being typed is under the keyboard");
      await einfuegen(seite, "\n");
      await warten(seite, () => window.schirm().includes("tleW"), null, () => "no inversion after the keyboard opened");
      await warten(seite, cursorsichtbar, null, () => "the cursor is out of view");
      return seite;
    }],
    ["groesse aendern mitten im spiel", async (b) => {
      const seite = await oeffnen(b);
      await zeigt(seite, crlf(menue));
      await seite.taste("a");
      await seite.tippen("Hallo");
      await seite.groesse(420, 260);
      await warten(seite, cursorsichtbar, null, () => "the cursor is out of view after the resize");
      await seite.taste("Enter");
      await seite.tippen("l");
      await seite.taste("Enter");
      await warten(seite, () => window.schirm().endsWith("D - Ende") && window.puffer().includes("Hallo\n" + "Geben Sie den zu suchenden Buchstaben ein\nl\nDer 3. Buchstabe ist ein l\nDer 4. Buchstabe ist ein l\n"), null,
                   async () => `after the resize:\n${await seite.auswerten(() => window.puffer())}`);
      await seite.groesse(900, 700);
      await seite.taste("d");
      await seite.taste("x");
      await beendet(seite, 0);
      return seite;
    }],
    // Contrast themes: the cursor and the selection in system colours,
    // switched on while a game runs; the game goes on.
    ["hoher kontrast mitten im spiel: cursor und auswahl sichtbar", async (b) => {
      const seite = await oeffnen(b);
      await zeigt(seite, crlf(menue));
      await seite.taste("b");
      await seite.tippen("Hal");
      await seite.cdp.send("Emulation.setEmulatedMedia", { features: [{ name: "forced-colors", value: "active" }] });
      await kontrastsichtbar(seite);
      if (seite.bild && process.env.SEITENBILDER) await seite.bild(`${process.env.SEITENBILDER}/kontrast.png`);
      await seite.tippen("lo");
      await seite.taste("Enter");
      await zeigt(seite, ergebnis("Hallo", 1, 4));
      await seite.cdp.send("Emulation.setEmulatedMedia", { features: [] });
      return seite;
    }, nurchromium],
    // Reduced motion stops the blink; light and dark follow the system,
    // and axe-core holds both to 7:1.
    ["ruhige bewegung, helles und dunkles schema", async (b) => {
      const seite = await oeffnen(b);
      await zeigt(seite, crlf(menue));
      const schema = async (motion, farben, soll) => {
        await seite.cdp.send("Emulation.setEmulatedMedia", { features: [
          { name: "prefers-reduced-motion", value: motion }, { name: "prefers-color-scheme", value: farben }] });
        await warten(seite, (s) => JSON.stringify({ blinkt: window.terminal.options.cursorBlink, grund: window.terminal.options.theme.background }) === s,
                     JSON.stringify(soll), () => `${motion}, ${farben}: not ${JSON.stringify(soll)}`);
        await axe(seite, `the menu, ${farben}, ${motion}`);
      };
      await schema("no-preference", "dark", { blinkt: true, grund: "#000000" });
      await schema("reduce", "light", { blinkt: false, grund: "#ffffff" });
      if (seite.bild && process.env.SEITENBILDER) await seite.bild(`${process.env.SEITENBILDER}/hell.png`);
      await schema("no-preference", "dark", { blinkt: true, grund: "#000000" });
      await seite.taste("b");
      await seite.tippen("Ab");
      await seite.taste("Enter");
      await zeigt(seite, ergebnis("Ab", 1, 1));
      return seite;
    }, nurchromium],
    ["systemeinstellungen beim oeffnen: kontrast, ruhe, hell", async (b) => {
      const seite = await oeffnen(b, 900, 700, { kontrast: true, ruhe: true, hell: true });
      const gefunden = await seite.auswerten(() => [window.terminal.options.cursorBlink, window.terminal.options.theme.background].join(" "));
      if (gefunden !== "false #ffffff") throw new Error(`opened with reduced motion in the light scheme: ${gefunden}`);
      await zeigt(seite, crlf(menue));
      await seite.taste("b");
      await seite.tippen("Hal");
      await kontrastsichtbar(seite);
      if (seite.bild && process.env.SEITENBILDER) await seite.bild(`${process.env.SEITENBILDER}/kontrast-${b.name}.png`);
      await seite.tippen("lo");
      await seite.taste("Enter");
      await zeigt(seite, ergebnis("Hallo", 1, 4));
      return seite;
    }, { webkit: "its WebDriver sets none of the system's settings" }],
  ];
}

const { namen, dialoge } = dialogelesen(dialogpfad);
const seitendialoge = dialoge.filter((d) => !d.nur.length || d.nur.includes("seite"));
const faelle = [...seitendialoge.map((d) => [d.name, (b) => dialogfahren(b, d), {}]), ...eigene(namen)];
let fehlgeschlagen = 0;
const zeilen = [];
for (const maschine of maschinen.filter((m) => !gewaehlt.length || gewaehlt.includes(m.name))) {
  const fehlt = maschine.fehlt();
  if (fehlt) {
    zeilen.push(`seite ${maschine.name}: not run: Debian package ${fehlt} is missing`);
    continue;
  }
  const browser = await maschine.starten();
  browser.name = maschine.name;
  let bestanden = 0, gelaufen = 0;
  const ausgelassen = [];
  for (const [name, fall, ohne = {}] of faelle) {
    if (ohne[maschine.name]) {
      ausgelassen.push(`${name} (${ohne[maschine.name]})`);
      continue;
    }
    gelaufen++;
    const anfang = Date.now();
    let seite = null;
    try {
      seite = await fall(browser);
      const drinnen = await seite.auswerten(() => [...window.seitenfehler,
        ...performance.getEntriesByType("resource").map((r) => "request: " + r.name)]);
      const alle = [...seite.fehler, ...drinnen];
      if (alle.length) throw new Error(alle.join("\n"));
      bestanden++;
      console.log(`ok      ${maschine.name}: ${name} (${Date.now() - anfang} ms)`);
    } catch (e) {
      fehlgeschlagen++;
      console.log(`FAILED  ${maschine.name}: ${name}\n${e.message}`);
    }
    if (seite) await seite.schliessen();
  }
  await browser.schliessen();
  zeilen.push(`seite ${maschine.name} ${browser.version}: ${bestanden} of ${gelaufen} passed (${seitendialoge.length} dialogues, ` +
              `${gelaufen - seitendialoge.length} of the page's own)` + (ausgelassen.length ? `; not here: ${ausgelassen.join("; ")}` : ""));
}
for (const zeile of zeilen) console.log(zeile);
process.exit(fehlgeschlagen ? 1 : 0);
