// Reads tests/dialoge.txt for the page's driver and its benchmark: the
// program's texts and keys by name, and each dialogue as its steps.
import { readFileSync } from "node:fs";

// dialoge.txt: a word, a name where it needs one, a JSON string.
export function dialogelesen(datei) {
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
      dialoge.push({ name: zeile.slice(7), schritte: [], endet: "", nur: [] });
      continue;
    }
    if (wort === "nur" || wort === "endet") {
      const woerter = zeile.split(" ").slice(1);
      if (wort === "nur") dialoge[dialoge.length - 1].nur.push(...woerter);
      else if (woerter.length === 1 && woerter[0] === "strgc") dialoge[dialoge.length - 1].endet = "strgc";
      else throw new Error(`${datei}: ${zeile}`);
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
