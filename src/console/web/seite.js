// The page around the program: the terminal, the queue of typed bytes the
// program reads, its end and a new start. window.terminal is the page's
// xterm.js Terminal, for scripts and tests that read the screen
// (terminal.buffer.active).
"use strict";

// The terminal reads out to a screen reader: its rows are in the page's
// accessibility tree, and each screen's new text reaches a live region.
Terminal.strings.promptLabel = "Eingabe der Buchstabenspiele";
Terminal.strings.tooMuchOutput = "Zu viel Ausgabe zum Vorlesen; die Zeilen lassen sich einzeln lesen.";
const hell = { background: "#ffffff", foreground: "#000000", cursor: "#000000", cursorAccent: "#ffffff",
               selectionBackground: "#8cb4e8" };
const dunkel = { background: "#000000", foreground: "#ffffff", cursor: "#ffffff", cursorAccent: "#000000",
                 selectionBackground: "#4a6fa0" };
const lichtwunsch = window.matchMedia("(prefers-color-scheme: light)");
const ruhewunsch = window.matchMedia("(prefers-reduced-motion: reduce)");
const schema = () => (lichtwunsch.matches ? hell : dunkel);
const terminal = new Terminal({
  cursorBlink: !ruhewunsch.matches, fontSize: 16, scrollback: 1000, screenReaderMode: true, theme: schema(),
});
const anpassen = new FitAddon.FitAddon();
terminal.loadAddon(anpassen);
terminal.open(document.getElementById("terminal"));
terminal.textarea.setAttribute("aria-describedby", "hinweis");
window.terminal = terminal;

// The system's settings, also when they change while the page is open.
lichtwunsch.addEventListener("change", () => { terminal.options.theme = schema(); });
ruhewunsch.addEventListener("change", () => { terminal.options.cursorBlink = !ruhewunsch.matches; });

// The page follows the window and, where the browser keeps the layout when
// an on-screen keyboard opens, the part of it left visible.
function einpassen() {
  const sicht = window.visualViewport;
  if (sicht) document.body.style.height = sicht.height * sicht.scale + "px";
  anpassen.fit();
}
window.addEventListener("resize", einpassen);
if (window.visualViewport) window.visualViewport.addEventListener("resize", einpassen);
einpassen();

// Typed and pasted bytes, in order, with a read position: a paste of any
// size is taken one byte at a time without moving the rest.
let schlange = new Uint8Array(0);
let lesestelle = 0;
let wecker = null;   // the read waiting for a byte
let gelesen = 0;

function anhaengen(bytes) {
  const rest = schlange.subarray(lesestelle);
  const neu = new Uint8Array(rest.length + bytes.length);
  neu.set(rest);
  neu.set(bytes, rest.length);
  schlange = neu;
  lesestelle = 0;
  if (wecker) wecker();
}

const kodierer = new TextEncoder();
terminal.onData((text) => anhaengen(kodierer.encode(text)));

// Tab moves the focus, as everywhere on a page; Ctrl-C with text selected
// copies it, as in any browser; without a selection it reaches the
// program, as in a terminal.
terminal.attachCustomKeyEventHandler((e) => {
  if (e.key === "Tab" && !e.ctrlKey && !e.altKey && !e.metaKey) return false;
  if (e.type === "keydown" && e.ctrlKey && !e.altKey && e.key === "c" && terminal.hasSelection()) {
    if (navigator.clipboard) navigator.clipboard.writeText(terminal.getSelection()).catch(() => {});
    return false;
  }
  return true;
});

// Phones' keyboards insert text without a key xterm.js could read: a
// letter, a whole word, an Enter as a line break, Backspace on an empty
// field. What no key of this keystroke has sent yet is sent here, once; a
// composition is xterm.js's, when it is committed.
let tastegesendet = false;
let verfassen = false;
window.addEventListener("keydown", () => { tastegesendet = false; }, true);
window.addEventListener("keyup", () => { tastegesendet = false; }, true);
terminal.onKey(() => { tastegesendet = true; });
terminal.textarea.addEventListener("compositionstart", () => { verfassen = true; });
terminal.textarea.addEventListener("compositionend", () => { verfassen = false; });
terminal.textarea.addEventListener("beforeinput", (e) => {
  let text = null;
  if (e.inputType === "insertText" && e.data) text = e.data.replace(/\r?\n/g, "\r");
  else if (e.inputType === "insertLineBreak" || e.inputType === "insertParagraph") text = "\r";
  else if (e.inputType === "deleteContentBackward") text = "\x7f";
  if (text === null || verfassen || e.isComposing) return;
  if (tastegesendet) {
    tastegesendet = false;   // the key's own text: the field keeps it for a screen reader
    return;
  }
  e.preventDefault();   // the program's echo is what is read out
  terminal.input(text, true);
});

const zeitum = -4;   // as the key decoder knows it

// Let the page breathe now and then while the program works through a
// long paste.
function atmen() {
  return new Promise((weiter) => setTimeout(weiter, 0));
}

let lauf = 0;   // which start the program's calls belong to

window.buchstabenspiele = {
  schreiben(bytes) {
    terminal.write(bytes);
  },
  async byte(wartems) {
    const meiner = lauf;
    if (++gelesen % 512 === 0) await atmen();
    while (lesestelle >= schlange.length) {
      const gekommen = await new Promise((weiter) => {
        wecker = () => weiter(true);
        if (wartems >= 0) setTimeout(() => weiter(false), wartems);
      });
      wecker = null;
      if (meiner !== lauf) return new Promise(() => {});   // an old run: it waits for good
      if (!gekommen && lesestelle >= schlange.length) return zeitum;
    }
    return schlange[lesestelle++];
  },
  // xterm.js keeps each typed character until the screen shows it, so
  // that the screen reader, which spoke the key, does not speak its echo.
  // A key read echoes nothing: its character is dropped there, or the
  // "B" of the next screen would go unread.
  tastegelesen(taste) {
    const zeichen = (taste >= 0x20 && taste < 0x7f) || (taste >= 0xa0 && taste <= 0xff) ? String.fromCharCode(taste) : null;
    const vorleser = terminal._core && terminal._core._accessibilityManager && terminal._core._accessibilityManager.value;
    const wartend = vorleser && vorleser._charsToConsume;
    if (zeichen && Array.isArray(wartend) && wartend[0] === zeichen) wartend.shift();
  },
  beendet(status) {
    beenden(status);
  },
};

const ende = document.getElementById("ende");
const endetext = document.getElementById("endetext");
const neustart = document.getElementById("neustart");

function beenden(status) {
  endetext.textContent = "Das Programm ist beendet (Status " + status + "). Enter startet es neu.";
  ende.hidden = false;
  anpassen.fit();   // the terminal makes room for the line below it
  neustart.focus();
}

// A new start clears what the last run left; the first has nothing to
// clear, and a screen reader's copy of the rows is costly to redo.
function starten() {
  if (lauf++) {
    ende.hidden = true;
    anpassen.fit();
    terminal.reset();
  }
  schlange = new Uint8Array(0);
  lesestelle = 0;
  if (wecker) wecker();
  terminal.focus();
  const modul = buchstabenspielemodul();
  modul.ccall("main", "number", ["number", "number"], [0, 0], { async: true }).then(beenden, (fehler) => {
    beenden(fehler && typeof fehler.status === "number" ? fehler.status : 1);
  });
}

neustart.addEventListener("click", starten);
// The way back into the terminal: the button, by click, Enter or Space;
// taken on the key's way down, so that nothing of it reaches the terminal.
const zurueck = document.getElementById("zurueck");
zurueck.addEventListener("click", () => terminal.focus());
zurueck.addEventListener("keydown", (e) => {
  if (e.key === "Enter" || e.key === " ") {
    e.preventDefault();
    terminal.focus();
  }
});
// At the end, Enter starts again wherever the focus is, before the
// terminal or the button sees it.
window.addEventListener("keydown", (e) => {
  if (!ende.hidden && e.key === "Enter" && !e.isComposing) {
    e.preventDefault();
    e.stopPropagation();
    starten();
  }
}, true);

starten();
