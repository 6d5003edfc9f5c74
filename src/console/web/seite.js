// The page around the program: the terminal, the queue of typed bytes the
// program reads, its end and a new start. window.terminal is the page's
// xterm.js Terminal, for scripts and tests that read the screen
// (terminal.buffer.active).
"use strict";

const terminal = new Terminal({ cursorBlink: true, fontSize: 16, scrollback: 1000 });
const anpassen = new FitAddon.FitAddon();
terminal.loadAddon(anpassen);
terminal.open(document.getElementById("terminal"));
anpassen.fit();
window.addEventListener("resize", () => anpassen.fit());
window.terminal = terminal;

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

// Ctrl-C with text selected copies it, as in any browser; without a
// selection it reaches the program, as in a terminal.
terminal.attachCustomKeyEventHandler((e) => {
  if (e.type === "keydown" && e.ctrlKey && !e.altKey && e.key === "c" && terminal.hasSelection()) {
    if (navigator.clipboard) navigator.clipboard.writeText(terminal.getSelection()).catch(() => {});
    return false;
  }
  return true;
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

function starten() {
  lauf++;
  schlange = new Uint8Array(0);
  lesestelle = 0;
  if (wecker) wecker();
  ende.hidden = true;
  anpassen.fit();
  terminal.reset();
  terminal.focus();
  const modul = buchstabenspielemodul();
  modul.ccall("main", "number", ["number", "number"], [0, 0], { async: true }).then(beenden, (fehler) => {
    beenden(fehler && typeof fehler.status === "number" ? fehler.status : 1);
  });
}

neustart.addEventListener("click", starten);
document.addEventListener("keydown", (e) => {
  if (!ende.hidden && e.key === "Enter") {
    e.preventDefault();
    starten();
  }
});

starten();
