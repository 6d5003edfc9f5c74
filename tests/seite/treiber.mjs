// The three engines behind one small face, so that every case runs in
// each: Chromium through playwright-core, Firefox ESR through
// puppeteer-core over WebDriver BiDi, WebKitGTK through its own WebDriver
// under xvfb-run. Each is Debian's; none is downloaded.
//   const b = await maschinen.chromium.starten();
//   const s = await b.seite(breite, hoehe);   // a fresh page, not yet open
//   b.seite(breite, hoehe, { kontrast: true, ruhe: true, hell: true })
//     the system's settings as the page finds them (not in WebKitGTK)
//   await s.oeffnen(adresse); await s.auswerten(fn, wert); await s.skript(quelltext);
//   await s.taste("Shift+Tab"); await s.tippen("Hallo"); await s.groesse(b, h);
//   s.cdp (Chromium only), s.fehler (errors and requests seen from outside)
import { spawn } from "node:child_process";
import { existsSync, readdirSync, writeFileSync } from "node:fs";

const chromiumpfad = "/usr/bin/chromium";
const firefoxpfad = "/usr/bin/firefox-esr";
const webkittreiber = "/usr/bin/WebKitWebDriver";
// Under the host's multiarch folder, whichever it is.
const minibrowser = readdirSync("/usr/lib").map((d) => `/usr/lib/${d}/webkit2gtk-4.1/MiniBrowser`).find(existsSync);

// Splits "Control+c" into its modifiers and its key.
const zerlegen = (name) => {
  const teile = name.split("+");
  return { mods: teile.slice(0, -1), taste: teile[teile.length - 1] || "+" };
};

async function chromium() {
  const { chromium } = await import("playwright-core");
  const browser = await chromium.launch({
    executablePath: chromiumpfad,
    args: ["--no-sandbox", "--disable-gpu", "--disable-background-networking", "--disable-component-update",
           "--disable-sync", "--no-first-run"],
  });
  return {
    version: browser.version(),
    async seite(breite, hoehe, system = {}) {
      const kontext = await browser.newContext({
        viewport: { width: breite, height: hoehe }, forcedColors: system.kontrast ? "active" : "none",
        reducedMotion: system.ruhe ? "reduce" : "no-preference", colorScheme: system.hell ? "light" : "dark",
      });
      const seite = await kontext.newPage();
      const fehler = [];
      seite.on("pageerror", (e) => fehler.push(String(e)));
      return {
        fehler,
        cdp: await kontext.newCDPSession(seite),
        async oeffnen(adresse) {
          seite.on("request", (r) => { if (r.url() !== adresse) fehler.push("request: " + r.url()); });
          await seite.goto(adresse);
        },
        auswerten: (fn, wert) => seite.evaluate(fn, wert),
        skript: (quelle) => seite.evaluate(quelle),
        taste: (name) => seite.keyboard.press(name),
        tippen: (text) => seite.keyboard.type(text),
        groesse: (b, h) => seite.setViewportSize({ width: b, height: h }),
        bild: (pfad) => seite.screenshot({ path: pfad }),
        schliessen: () => kontext.close(),
      };
    },
    schliessen: () => browser.close(),
  };
}

async function firefox() {
  const puppeteer = (await import("puppeteer-core")).default;
  const starten = (einstellungen) =>
    puppeteer.launch({ browser: "firefox", executablePath: firefoxpfad, headless: true, extraPrefsFirefox: einstellungen });
  const browser = await starten({ "layout.css.prefers-color-scheme.content-override": 0 });
  return {
    version: await browser.version(),
    async seite(breite, hoehe, system = {}) {
      // Firefox takes the system's settings from its preferences, at its start.
      const eigener = Object.keys(system).length ? await starten({
        "browser.display.document_color_use": system.kontrast ? 2 : 0, "ui.prefersReducedMotion": system.ruhe ? 1 : 0,
        "layout.css.prefers-color-scheme.content-override": system.hell ? 1 : 0 }) : null;
      const kontext = await (eigener || browser).createBrowserContext();
      const seite = await kontext.newPage();
      await seite.setViewport({ width: breite, height: hoehe });
      const fehler = [];
      seite.on("pageerror", (e) => fehler.push(String(e)));
      return {
        fehler,
        cdp: null,
        async oeffnen(adresse) {
          seite.on("request", (r) => { if (r.url() !== adresse) fehler.push("request: " + r.url()); });
          await seite.goto(adresse);
        },
        auswerten: (fn, wert) => seite.evaluate(fn, wert),
        skript: (quelle) => seite.evaluate(quelle),
        async taste(name) {
          const { mods, taste } = zerlegen(name);
          for (const m of mods) await seite.keyboard.down(m);
          await seite.keyboard.press(taste);
          for (const m of mods.reverse()) await seite.keyboard.up(m);
        },
        tippen: (text) => seite.keyboard.type(text),
        groesse: (b, h) => seite.setViewport({ width: b, height: h }),
        bild: (pfad) => seite.screenshot({ path: pfad }),
        schliessen: () => (eigener ? eigener.close() : kontext.close()),
      };
    },
    schliessen: () => browser.close(),
  };
}

// WebDriver's own key values for the keys the cases press by name.
const webdrivertasten = { Enter: "\uE007", Backspace: "\uE003", Tab: "\uE004", Shift: "\uE008", Control: "\uE009" };

async function webkit() {
  const port = 4400 + (process.pid % 500);
  const treiber = spawn("xvfb-run", ["-a", webkittreiber, `--port=${port}`], { stdio: "ignore", detached: true });
  const basis = `http://127.0.0.1:${port}`;
  const wd = async (methode, pfad, inhalt) => {
    const antwort = await fetch(basis + pfad, {
      method: methode, headers: { "content-type": "application/json" }, body: inhalt && JSON.stringify(inhalt),
    });
    const { value } = await antwort.json();
    if (value && value.error) throw new Error(`WebDriver ${pfad}: ${value.error}: ${value.message}`);
    return value;
  };
  let sitzung;
  for (let versuch = 0; !sitzung; versuch++) {
    try {
      sitzung = await wd("POST", "/session", {
        capabilities: { alwaysMatch: { "webkitgtk:browserOptions": { binary: minibrowser, args: ["--automation"] } } },
      });
    } catch (e) {
      if (versuch > 100) throw e;
      await new Promise((weiter) => setTimeout(weiter, 100));
    }
  }
  const s = `/session/${sitzung.sessionId}`;
  const tasten = (folge) => wd("POST", `${s}/actions`, { actions: [{ type: "key", id: "tastatur", actions: folge }] });
  const druck = (wert) => [{ type: "keyDown", value: wert }, { type: "keyUp", value: wert }];
  return {
    version: sitzung.capabilities.browserVersion,
    // One window for every case: each opens the page anew.
    async seite(breite, hoehe, system = {}) {
      if (Object.keys(system).length) throw new Error("WebKitGTK's WebDriver cannot set the system's settings");
      await wd("POST", `${s}/window/rect`, { width: breite, height: hoehe });
      return {
        fehler: [],
        cdp: null,
        oeffnen: (adresse) => wd("POST", `${s}/url`, { url: adresse }),
        async auswerten(fn, wert) {
          const ergebnis = await wd("POST", `${s}/execute/async`, {
            script: `const fertig = arguments[1];
                     Promise.resolve().then(() => (${fn})(arguments[0]))
                       .then((w) => fertig({ w: w === undefined ? null : w }), (f) => fertig({ f: String(f) }));`,
            args: [wert === undefined ? null : wert],
          });
          if ("f" in ergebnis) throw new Error(ergebnis.f);
          return ergebnis.w;
        },
        // The script's own text is beyond the page's policy; a string it
        // evaluated would not be.
        skript: (quelle) => wd("POST", `${s}/execute/sync`, { script: `${quelle};\nreturn null;`, args: [] }),
        async taste(name) {
          const { mods, taste } = zerlegen(name);
          const wert = (t) => webdrivertasten[t] || t;
          await tasten([...mods.map((m) => ({ type: "keyDown", value: wert(m) })), ...druck(wert(taste)),
                        ...mods.reverse().map((m) => ({ type: "keyUp", value: wert(m) }))]);
        },
        tippen: (text) => tasten([...text].flatMap(druck)),
        groesse: (b, h) => wd("POST", `${s}/window/rect`, { width: b, height: h }),
        bild: async (pfad) => writeFileSync(pfad, Buffer.from(await wd("GET", `${s}/screenshot`), "base64")),
        schliessen: async () => {},
      };
    },
    async schliessen() {
      await wd("DELETE", s).catch(() => {});
      try { process.kill(-treiber.pid); } catch { /* already gone */ }
    },
  };
}

// Each engine with what it needs on this host; fehlt names what is missing.
export const maschinen = [
  { name: "chromium", starten: chromium, fehlt: () => (existsSync(chromiumpfad) ? null : "chromium") },
  { name: "firefox", starten: firefox, fehlt: () => (existsSync(firefoxpfad) ? null : "firefox-esr") },
  { name: "webkit", starten: webkit,
    fehlt: () => (!existsSync(webkittreiber) || !minibrowser ? "webkit2gtk-driver" : !existsSync("/usr/bin/xvfb-run") ? "xvfb" : null) },
];
