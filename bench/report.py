#!/usr/bin/env python3
"""Summarises the figures bench/measure collected and checks the targets.

    report.py <work dir> <bar.exe> <bar32.exe> <reference.exe> <bar imports> <bar32 imports> <reference imports>

Exit status 0 when every target is met, 1 otherwise.
"""
import os
import statistics
import sys

# DLLs that ship with every Windows the bar supports.
SYSTEM_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "shell32.dll", "ole32.dll", "oleaut32.dll",
    "comctl32.dll", "comdlg32.dll", "imm32.dll", "advapi32.dll", "uxtheme.dll", "shlwapi.dll",
    "msimg32.dll", "psapi.dll", "msvcrt.dll", "version.dll", "winmm.dll", "shfolder.dll",
    "ntdll.dll", "ws2_32.dll", "dwmapi.dll", "uuid.dll", "winhttp.dll", "oleacc.dll",
}

STARTUP_RATIO = 1.15
WORKING_SET_RATIO = 1.3
IDLE_CPU_MS = 10.0
WIN32_SIZE = 1024 * 1024
HOTKEY_MARGIN_MS = 2.0


def runs(work, label):
    path = os.path.join(work, label + ".runs")
    if not os.path.exists(path):
        return []
    out = []
    for line in open(path):
        fields = dict(kv.split("=", 1) for kv in line.split() if "=" in kv)
        out.append(fields)
    return out


def column(rows, key):
    return [float(r[key]) for r in rows if key in r and float(r[key]) >= 0]


def private_kb(r):
    # Wine leaves PrivateUsage of another process at 0; fall back to the
    # anonymous resident memory of the Linux process.
    if float(r.get("private_kb", 0)) > 0:
        return float(r["private_kb"])
    return float(r.get("anon_kb", -1))


def stats(values):
    if not values:
        return None
    return statistics.median(values), min(values), max(values)


def fmt(s, unit):
    if s is None:
        return "n/a"
    return f"median {s[0]:9.1f} {unit}  min {s[1]:9.1f}  max {s[2]:9.1f}"


def main(argv):
    work, bar, bar32, ref, bar_imp, bar32_imp, ref_imp = argv
    b, r = runs(work, "bar"), runs(work, "ref")
    results = []  # (target, figure, met)

    def verdict(name, figure, met):
        results.append((name, figure, met))

    print()
    print(f"Start-up, {len(b)} runs of {os.path.basename(bar)} against {len(r)} of {os.path.basename(ref)}")
    print(f"  (CreateProcess to first visible window; memory after 300 ms settle)")
    rows = [
        ("start-up", "ms", column(b, "startup_ms"), column(r, "startup_ms")),
        ("CPU to visible", "ms", column(b, "startup_cpu_ms"), column(r, "startup_cpu_ms")),
        ("peak working set", "KiB", column(b, "peak_ws_kb"), column(r, "peak_ws_kb")),
        ("private bytes", "KiB", [v for v in map(private_kb, b) if v >= 0], [v for v in map(private_kb, r) if v >= 0]),
    ]
    ratios = {}
    for name, unit, bv, rv in rows:
        sb, sr = stats(bv), stats(rv)
        ratio = sb[0] / sr[0] if sb and sr and sr[0] else None
        ratios[name] = ratio
        print(f"  {name}:")
        print(f"    bar        {fmt(sb, unit)}")
        print(f"    reference  {fmt(sr, unit)}")
        print(f"    ratio bar/reference (medians): {'n/a' if ratio is None else f'{ratio:.3f}'}")
    if any(float(x.get("private_kb", 0)) == 0 for x in b + r):
        print("  (private bytes: Wine reports none for another process; anonymous resident memory shown)")

    ratio = ratios["start-up"]
    verdict(f"start-up ratio <= {STARTUP_RATIO}", "n/a" if ratio is None else f"{ratio:.3f}",
            ratio is not None and ratio <= STARTUP_RATIO)
    ratio = ratios["peak working set"]
    verdict(f"peak working set ratio <= {WORKING_SET_RATIO}", "n/a" if ratio is None else f"{ratio:.3f}",
            ratio is not None and ratio <= WORKING_SET_RATIO)

    print()
    idle_b = column(runs(work, "bar_idle"), "idle_cpu_ms")
    idle_r = column(runs(work, "ref_idle"), "idle_cpu_ms")
    print("Idle CPU over 10 s (GetProcessTimes; Wine counts in 10 ms steps)")
    print(f"    bar        {idle_b[0] if idle_b else 'n/a'} ms")
    print(f"    reference  {idle_r[0] if idle_r else 'n/a'} ms")
    verdict(f"idle CPU <= {IDLE_CPU_MS:g} ms per 10 s", f"{idle_b[0]:.1f} ms" if idle_b else "n/a",
            bool(idle_b) and idle_b[0] <= IDLE_CPU_MS)

    print()
    hb, hr = runs(work, "hotkey_bar"), runs(work, "hotkey_ref")
    print(f"Hot key Win+S (SendInput; polled from another process), {len(hb)} rounds of the bar, {len(hr)} of the reference")
    print("  (bar hidden in the tray and minimised; reference: its window hidden)")
    for name, key in (("shown", "show_ms"), ("foreground, query box focused", "focus_ms"), ("hidden", "hide_ms")):
        sb, sr = stats(column(hb, key)), stats(column(hr, key))
        print(f"  {name}:")
        print(f"    bar        {fmt(sb, 'ms')}")
        print(f"    reference  {fmt(sr, 'ms')}")
        gap = sb[0] - sr[0] if sb and sr else None
        verdict(f"hot key: {name} within {HOTKEY_MARGIN_MS:g} ms of reference",
                "n/a" if gap is None else f"{gap:+.1f} ms", gap is not None and gap <= HOTKEY_MARGIN_MS)

    print()
    lat = {"bar": [], "shell": [], "incomplete": []}
    path = os.path.join(work, "latency")
    if os.path.exists(path):
        for line in open(path):
            kind, micros = line.split()
            lat[kind].append(int(micros) / 1000.0)
    print("Return to URL handler, 100-character query (xdotool Return -> handler start)")
    missing = "not measured (" + (f"{len(lat['incomplete'])} URLs without the whole query"
                                  if lat["incomplete"] else "no URL arrived") + ")"
    print(f"    bar               {fmt(stats(lat['bar']), 'ms') if lat['bar'] else missing}")
    if lat["bar"] and lat["incomplete"]:
        print(f"    ({len(lat['incomplete'])} rounds left out: the URL lacked part of the query)")
    print(f"    shell alone       {fmt(stats(lat['shell']), 'ms')}")
    if lat["bar"] and lat["shell"]:
        print(f"    bar's own share   {statistics.median(lat['bar']) - statistics.median(lat['shell']):.1f} ms (difference of medians)")

    print()
    sg = runs(work, "suggest")
    debounce_ms = 150
    print(f"Suggestions: a letter typed (SendInput) to the list showing the service's rows, {len(sg)} rounds")
    print("  (a service inside the probe answering at once; polled from the probe)")
    shown = stats(column(sg, "shown_ms"))
    print(f"    key to list shown, the {debounce_ms} ms pause included   {fmt(shown, 'ms')}")
    print(f"    the same less the {debounce_ms} ms pause                 "
          f"{'n/a' if shown is None else f'median {shown[0] - debounce_ms:9.1f} ms'}")
    print(f"    key to the request at the service          {fmt(stats(column(sg, 'request_ms')), 'ms')}")
    print(f"    request at the service to list shown       {fmt(stats(column(sg, 'reply_to_shown_ms')), 'ms')}")
    idle_list = runs(work, "suggest_idle")
    if idle_list:
        cpu = float(idle_list[0].get("list_idle_cpu_ms", -1))
        still = idle_list[0].get("list_still_open") == "1"
        print(f"    CPU with the list open for 10 s (goal 0)   {cpu:.1f} ms"
              f"{'' if still else '  (the list had closed by the end: figure not the open list alone)'}")
    else:
        print("    CPU with the list open for 10 s            n/a")

    print()
    print("Executables")
    for label, path in (("win64", bar), ("win32", bar32), ("reference", ref)):
        size = os.path.getsize(path) if os.path.exists(path) else None
        print(f"    {label:10} {path}: {'missing' if size is None else f'{size} bytes ({size / 1024:.1f} KiB)'}")
    size32 = os.path.getsize(bar32) if os.path.exists(bar32) else None
    verdict("win32 Quorvex.exe <= 1 MiB", "missing" if size32 is None else f"{size32 / 1024:.1f} KiB",
            size32 is not None and size32 <= WIN32_SIZE)

    print()
    print("Imported DLLs")
    foreign = []
    for label, imports in (("win64", bar_imp), ("win32", bar32_imp), ("reference", ref_imp)):
        print(f"    {label:10} {imports or 'n/a'}")
        if label != "reference":
            foreign += [d for d in imports.split() if d.lower() not in SYSTEM_DLLS]
    verdict("imports only Windows system DLLs", ", ".join(sorted(set(foreign))) or "yes",
            not foreign and bool(bar_imp))

    print()
    print("Targets")
    for name, figure, met in results:
        print(f"    {'met   ' if met else 'MISSED'}  {name:40} {figure}")
    return 0 if all(met for _, _, met in results) else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
