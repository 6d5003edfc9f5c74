#!/usr/bin/env python3
"""Measures the built program as a user meets it, through a pseudo-terminal.

Per pass: the round trip from the last keystroke to the complete next menu
(median and 95th percentile), the program's own CPU time, and its write
calls; the processes it starts; and the peak memory and time of runs whose
standard input holds one huge word line.

    bench/messen.py [PROGRAMM] [--durchgaenge N] [--megabyte M]
"""
import argparse
import os
import pty
import select
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time

# Where a menu is complete, whatever games stand in it.
MENUE = b" - Ende\r\n\r\n"
PAUSE = b"Druecken Sie eine beliebige Taste . . . "
# macOS and the BSDs have no /proc: no write counts or CPU per pass there,
# and peak memory from wait4 once the program has ended.
PROC = os.path.isdir("/proc/self")


class Sitzung:
    """The program on a fresh pseudo-terminal that is its controlling terminal."""

    def __init__(self, befehl):
        self.pid, self.fd = pty.fork()
        if self.pid == 0:
            os.execvp(befehl[0], befehl)
        self.puffer = b""
        self.marke = 0

    def warten(self, text):
        while True:
            stelle = self.puffer.find(text, self.marke)
            if stelle >= 0:
                self.marke = stelle + len(text)
                return
            bereit, _, _ = select.select([self.fd], [], [], 10)
            if not bereit:
                raise RuntimeError("keine Antwort, wartet auf %r" % text)
            self.puffer += os.read(self.fd, 65536)
            # Keep the buffer short over thousands of passes.
            if self.marke > 1 << 20:
                self.puffer = self.puffer[self.marke:]
                self.marke = 0

    def tippen(self, daten):
        os.write(self.fd, daten)

    def durchgang(self, schritte):
        """Types each step's keys and waits for its answer (the next menu when
        none is given); the seconds from the last keystroke to that menu."""
        for tasten, antwort in schritte:
            t0 = time.perf_counter()
            self.tippen(tasten)
            self.warten(antwort or MENUE)
        return time.perf_counter() - t0

    def zaehler(self):
        """Write calls so far and CPU time so far in nanoseconds; None
        without /proc."""
        if not PROC:
            return None, None
        with open("/proc/%d/io" % self.pid) as f:
            io = dict(zeile.split(": ") for zeile in f.read().split("\n") if zeile)
        with open("/proc/%d/schedstat" % self.pid) as f:
            cpu = int(f.read().split()[0])
        return int(io["syscw"]), cpu

    def beenden(self):
        self.tippen(b"d")
        self.warten(PAUSE)
        self.tippen(b"x")
        _, status = os.waitpid(self.pid, 0)
        os.close(self.fd)
        return status


# Each kind of pass: the steps (text to wait for, keys to type), and how many
# stretches of output lie between its reads (the goal for its writes).
DURCHGAENGE = [
    ("ungueltige Taste", [(b"x", None)], 1),
    ("Buchstabensuche", [(b"a", b"Wort ein\r\n"), (b"Hallo\n", b"Buchstaben ein\r\n"), (b"l\n", None)], 3),
    ("Buchstabenzaehlung", [(b"b", b"Wort ein\r\n"), (b"HalloWelt\n", None)], 2),
    ("Wortinversion", [(b"c", b"Wort ein\r\n"), (b"HalloWelt\n", None)], 2),
]


def runden(programm, anzahl):
    s = Sitzung([programm])
    s.warten(MENUE)
    zeilen = []
    for name, schritte, strecken in DURCHGAENGE:
        writes0, cpu0 = s.zaehler()
        zeiten = sorted(s.durchgang(schritte) for _ in range(anzahl))
        writes1, cpu1 = s.zaehler()
        zeilen.append((name, anzahl, statistics.median(zeiten) * 1e6,
                       zeiten[int(len(zeiten) * 0.95)] * 1e6,
                       PROC and (cpu1 - cpu0) / anzahl / 1e3, PROC and (writes1 - writes0) / anzahl, strecken))
    status = s.beenden()
    return zeilen, status


def prozesse(programm):
    """Processes the program starts in a short session, counted by strace."""
    if not shutil.which("strace"):
        return None
    with tempfile.NamedTemporaryFile() as log:
        s = Sitzung(["strace", "-f", "-qq", "-o", log.name,
                     "-e", "trace=fork,vfork,clone,clone3,execve", programm])
        s.warten(MENUE)
        for _, schritte, _ in DURCHGAENGE:
            s.durchgang(schritte)
        s.beenden()
        aufrufe = [z for z in open(log.name).read().splitlines() if "(" in z]
    # The first execve is strace starting the program itself.
    return len(aufrufe) - 1


def grosseszeile(programm, megabyte):
    """One word line of the given size on standard input, no terminal. The
    peak is read from the program's own memory map while it waits for the
    next key, so nothing of the starting process counts."""
    p = subprocess.Popen([programm], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                         start_new_session=True, bufsize=0)
    t0 = time.perf_counter()
    def schreiben():
        p.stdin.write(b"b")
        block = b"x" * (1 << 20)
        for _ in range(megabyte):
            p.stdin.write(block)
        p.stdin.write(b"\n")
    schreiber = threading.Thread(target=schreiben)
    schreiber.start()
    ausgabe = b""
    menue = MENUE.replace(b"\r\n", b"\n")
    while ausgabe.count(menue) < 2:
        ausgabe += os.read(p.stdout.fileno(), 65536)
    dauer = time.perf_counter() - t0
    schreiber.join()
    if PROC:
        with open("/proc/%d/status" % p.pid) as f:
            spitze = int(next(z for z in f if z.startswith("VmHWM:")).split()[1])
        with open("/proc/%d/schedstat" % p.pid) as f:
            cpu = int(f.read().split()[0]) / 1e9
    p.stdin.write(b"d")
    p.stdin.close()
    p.stdout.read()
    _, status, verbrauch = os.wait4(p.pid, 0)
    if not PROC:
        # ru_maxrss counts bytes on macOS, KiB elsewhere.
        spitze = verbrauch.ru_maxrss // (1024 if sys.platform == "darwin" else 1)
        cpu = verbrauch.ru_utime + verbrauch.ru_stime
    return spitze, dauer, cpu, os.waitstatus_to_exitcode(status)


def main():
    a = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    a.add_argument("programm", nargs="?", default="build/programm/buchstabenspiele")
    a.add_argument("--durchgaenge", type=int, default=2000)
    a.add_argument("--megabyte", type=int, default=100)
    args = a.parse_args()
    programm = os.path.abspath(args.programm)

    zeilen, status = runden(programm, args.durchgaenge)
    print("%-20s %7s %12s %12s %12s %14s" % ("Durchgang", "Anzahl", "Median us", "95 % us",
                                              "CPU us", "writes (Ziel)"))
    for name, anzahl, median, p95, cpu, writes, ziel in zeilen:
        if PROC:
            print("%-20s %7d %12.1f %12.1f %12.1f %8.2f (%d)" % (name, anzahl, median, p95, cpu, writes, ziel))
        else:
            print("%-20s %7d %12.1f %12.1f %12s %8s (%d)" % (name, anzahl, median, p95, "-", "-", ziel))
    if not PROC:
        print("Ohne /proc: CPU und writes je Durchgang nicht gemessen; Spitzenspeicher aus wait4, samt dem startenden Prozess vor exec")
    print("Exit-Status nach D: %d" % os.waitstatus_to_exitcode(status))

    n = prozesse(programm)
    print("Gestartete Prozesse: %s (Ziel 0)" % ("strace fehlt" if n is None else n))

    for mb in (args.megabyte // 2, args.megabyte):
        rss, dauer, cpu, status = grosseszeile(programm, mb)
        print("Wortzeile %4d MB: Spitzenspeicher %5d KiB (Ziel <= 2560), %.3f s, CPU %.3f s, Exit %d"
              % (mb, rss, dauer, cpu, status))
    return 0


if __name__ == "__main__":
    sys.exit(main())
