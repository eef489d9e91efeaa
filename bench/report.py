#!/usr/bin/env python3
"""bench/report.py - turns one run's raw figures into the table of bench/results.md.

    bench/report.py <output folder>

Reads pixel.json (Google Benchmark, medians of its repetitions), results.txt ("name value" lines from
the Windows programs, one per round; the median is taken) and info.txt (machine, date, commit), and
prints Markdown: every figure beside its reference, the ratio and whether the goal is met.
"""

import json
import os
import statistics
import sys


def read_pairs(path):
    """name -> list of values (numbers where they parse) of a "name value" file."""
    values = {}
    if not os.path.exists(path):
        return values
    with open(path) as f:
        for line in f:
            parts = line.split(None, 1)
            if len(parts) != 2:
                continue
            text = parts[1].strip()
            try:
                value = float(text)
            except ValueError:
                value = text
            values.setdefault(parts[0], []).append(value)
    return values


def read_pixel_bench(path):
    """benchmark name -> its median aggregate (or its only run)."""
    runs = {}
    if not os.path.exists(path):
        return runs
    with open(path) as f:
        data = json.load(f)
    for b in data.get("benchmarks", []):
        name = b.get("run_name", b["name"])
        if b.get("run_type") == "aggregate" and b.get("aggregate_name") != "median":
            continue
        runs[name] = b
    return runs


def fmt(value, digits=1):
    if value is None:
        return "—"
    return f"{value:,.{digits}f}"


def main():
    out = sys.argv[1]
    pixel = read_pixel_bench(os.path.join(out, "pixel.json"))
    timed = read_pairs(os.path.join(out, "results.txt"))
    info = {k: v[-1] for k, v in read_pairs(os.path.join(out, "info.txt")).items()}
    # Whole numbers read as such (cores, quality)
    info = {k: (int(v) if isinstance(v, float) and v.is_integer() else v) for k, v in info.items()}
    rows = []

    def median(name):
        v = [x for x in timed.get(name, []) if isinstance(x, float)]
        return statistics.median(v) if v else None

    def rounds(name):
        return len([x for x in timed.get(name, []) if isinstance(x, float)])

    def row(figure, value, unit, reference, ref_value, ratio, goal, met):
        verdict = "—" if met is None else ("met" if met else "**missed**")
        rows.append(f"| {figure} | {value} {unit} | {reference} | {ref_value} | {ratio} | {goal} | {verdict} |")

    def pixel_counter(name, counter):
        b = pixel.get(name)
        return b.get(counter) if b else None

    # The block copy of VRX_PutImage / VRX_GetImage against memcpy of the same bytes.
    for mp in (1, 25):
        ref = pixel_counter(f"BM_Memcpy/{mp}", "bytes_per_second")
        for bench, what in (("BM_PutBlock", "VRX_PutImage row copy"), ("BM_GetBlock", "VRX_GetImage row copy")):
            v = pixel_counter(f"{bench}/{mp}", "bytes_per_second")
            ratio = v / ref if v and ref else None
            row(f"{what}, {mp} MP (32-bit)", fmt(v and v / 1e9, 2), "GB/s", "memcpy, same bytes",
                fmt(ref and ref / 1e9, 2) + " GB/s", fmt(ratio, 2) + "×", "≥ 0.8× memcpy",
                None if ratio is None else ratio >= 0.8)

        rows_ref = pixel_counter(f"BM_MemcpyRows/{mp}", "bytes_per_second")
        v = pixel_counter(f"BM_PutBlock/{mp}", "bytes_per_second")
        row(f"VRX_PutImage row copy, {mp} MP, against its own shape", fmt(v and v / 1e9, 2), "GB/s",
            "one memcpy per row into the same canvas", fmt(rows_ref and rows_ref / 1e9, 2) + " GB/s",
            fmt(v / rows_ref if v and rows_ref else None, 2) + "×", "(information)", None)
    for mp in (1, 25):
        v = pixel_counter(f"BM_PackRgb24/{mp}", "bytes_per_second")
        ref = pixel_counter(f"BM_Memcpy/{mp}", "bytes_per_second")
        row(f"JPEG save's pass: 32-bit block to 24-bit rows, {mp} MP", fmt(v and v / 1e9, 2), "GB/s read",
            "memcpy, same bytes", fmt(ref and ref / 1e9, 2) + " GB/s", fmt(v / ref if v and ref else None, 2) + "×",
            "(information)", None)
    for mp in (1, 25):
        for bench, what in (("BM_LayoutCentre", "quarvex"), ("BM_LayoutSwap", "quarvex-swap")):
            v = pixel_counter(f"{bench}/{mp}", "pixels_per_s")
            ref = pixel_counter(f"BM_Memcpy/{mp}", "pixels_per_s")
            row(f"{what}'s canvas fill (copies and black boxes), {mp} MP pair", fmt(v and v / 1e6), "Mpixel/s",
                "memcpy of the raster", fmt(ref and ref / 1e6) + " Mpixel/s",
                fmt(v / ref if v and ref else None, 3) + "×", "≥ 100 Mpixel/s", None if v is None else v >= 100e6)

    # Whole-image operations in Mpixel/s against a memcpy of the same raster.
    ops = (("BM_FloodFill", "Flood fill"), ("BM_RotateRight", "Right rotation (packed copy + turn)"),
           ("BM_PatternRGB", "RGB test pattern"), ("BM_Invert", "Invert"),
           ("BM_ColourYCrCb", "Colour model Y/Cr/Cb"), ("BM_ColourYUV", "Colour model YUV"),
           ("BM_ColourYIQ", "Colour model YIQ"), ("BM_ColourHSV", "Colour model HSV"))
    for bench, what in ops:
        for mp in (1, 25):
            ref = pixel_counter(f"BM_Memcpy/{mp}", "pixels_per_s")
            v = pixel_counter(f"{bench}/{mp}", "pixels_per_s")
            row(f"{what}, {mp} MP", fmt(v and v / 1e6), "Mpixel/s", "memcpy of the raster",
                fmt(ref and ref / 1e6) + " Mpixel/s", fmt(v / ref if v and ref else None, 3) + "×",
                "≥ 100 Mpixel/s", None if v is None else v >= 100e6)
    for mp in (1, 25):
        v = median(f"gdi.rescale707_{mp}mp_mpix_s")
        ref = median(f"gdi.bitblt_{mp}mp_mpix_s")
        row(f"Rescale 70.7 % (GDI StretchBlt, COLORONCOLOR, under Wine), {mp} MP", fmt(v), "Mpixel/s",
            "BitBlt of the same source", fmt(ref) + " Mpixel/s", fmt(v / ref if v and ref else None, 3) + "×",
            "≥ 100 Mpixel/s", None if v is None else v >= 100)
    text = pixel_counter("BM_BitmapText", "chars_per_s")
    boxes = pixel_counter("BM_GlyphBoxFill", "chars_per_s")
    row("Bitmap-font text (8×14)", fmt(text and text / 1e6, 2), "M chars/s", "filling the glyph boxes",
        fmt(boxes and boxes / 1e6, 2) + " M chars/s", fmt(text / boxes if text and boxes else None, 3) + "×",
        "—", None)

    # The conversion, Start -> "変換終了", against ImageMagick and the encoder alone. The ratio is the
    # median of the ratios within each round (the four ran one after the other), which cancels the
    # machine's drift between rounds; with a round missing it falls back to the ratio of the medians.
    def paired_ratio(name, reference):
        a = [x for x in timed.get(name, []) if isinstance(x, float)]
        b = [x for x in timed.get(reference, []) if isinstance(x, float)]
        if a and len(a) == len(b):
            return statistics.median(x / y for x, y in zip(a, b) if y > 0)
        ma, mb = median(name), median(reference)
        return ma / mb if ma and mb else None

    def paired_difference(name, reference):
        a = [x for x in timed.get(name, []) if isinstance(x, float)]
        b = [x for x in timed.get(reference, []) if isinstance(x, float)]
        if a and len(a) == len(b):
            return statistics.median(x - y for x, y in zip(a, b))
        ma, mb = median(name), median(reference)
        return ma - mb if ma is not None and mb is not None else None

    magick = median("imagemagick.convert_ms")
    floor = median("encoder.floor_ms")
    for program in ("quarvex", "quarvex-swap"):
        v = median(f"{program}.convert_ms")
        n = rounds(f"{program}.convert_ms")
        r = paired_ratio(f"{program}.convert_ms", "imagemagick.convert_ms")
        row(f"{program}: Start → 変換終了, 7692×3330 pair → 15384×3330 JPEG (median of {n})", fmt(v, 0), "ms",
            "ImageMagick convert … -extent 200%x100%", fmt(magick, 0) + " ms", fmt(r, 2) + "×", "≤ 0.8×",
            None if r is None else r <= 0.8)
        r = paired_ratio(f"{program}.convert_ms", "encoder.floor_ms")
        row(f"{program}: the same against the encoder floor", fmt(v, 0), "ms", "GDI+ JPEG encoder alone",
            fmt(floor, 0) + " ms", fmt(r, 2) + "×", "≤ 1.15×", None if r is None else r <= 1.15)
        b = median(f"{program}-before.convert_ms")
        if b is not None:
            r = paired_ratio(f"{program}.convert_ms", f"{program}-before.convert_ms")
            row(f"{program}: the same against the program before the change", fmt(v, 0), "ms",
                "the same program before the change", fmt(b, 0) + " ms", fmt(r, 2) + "×", "(information)", None)
        # The toolkit's own part: everything of Start -> "変換終了" but the encoder, within each round
        own = paired_difference(f"{program}.convert_ms", "encoder.floor_ms")
        share = own / floor if own is not None and floor else None
        row(f"{program}: the toolkit's own part (Start → 変換終了 minus the encoder alone)", fmt(own, 0), "ms",
            "GDI+ JPEG encoder alone", fmt(floor, 0) + " ms", fmt(share and 100 * share, 1) + " %", "≤ 15 %",
            None if share is None else share <= 0.15)
    # What the machine charges for the memory of a new canvas of the output's size, before any pixel
    for key, how in (("memory.first_touch_ms", "one thread"), ("memory.first_touch_two_ms", "two threads")):
        v = median(key)
        row(f"First write to every page of a new {info.get('program.output_size', '')} 32-bit raster, {how}", fmt(v, 0), "ms",
            "GDI+ JPEG encoder alone", fmt(floor, 0) + " ms", fmt(v and floor and 100 * v / floor, 1) + " %", "(information)", None)
    # Paste -> "変換終了" must not grow (memory prepared at paste counts): against the programs of an
    # earlier commit in the same rounds when the run has them (BENCH_BEFORE), within 5 % for the noise
    for program in ("quarvex", "quarvex-swap"):
        name, before = f"{program}.paste_convert_ms", f"{program}-before.paste_convert_ms"
        v, b = median(name), median(before)
        r = paired_ratio(name, before) if b else None
        row(f"{program}: paste → 変換終了, Start right after Paste (median of {rounds(name)})", fmt(v, 0), "ms",
            "the same program before the change" if b else "(no earlier build in this run: BENCH_BEFORE)",
            fmt(b, 0) + " ms" if b else "", fmt(r, 2) + "×" if r else "—", "≤ 1.05× (not grown)" if b else "not grown",
            None if r is None else r <= 1.05)

    # The request hand-over and the start-up.
    m = median("requests.median_ms")
    row(f"Request hand-over round trip, median of {int(median('requests.count') or 0)}", fmt(m, 3), "ms",
        "the worker's Sleep(1) pass", "≈ 1 ms", "—", "≤ 2 ms", None if m is None else m <= 2)
    p99 = median("requests.p99_ms")
    row("Request hand-over round trip, 99th percentile", fmt(p99, 3), "ms", "", "", "—", "—", None)
    bare = median("bare.startup_ms")
    for program in ("quarvex", "quarvex-swap"):
        v = median(f"{program}.startup_ms")
        beyond = v - 1060 if v is not None else None
        row(f"{program}: process start → \"32-bit color\" (median of {rounds(program + '.startup_ms')})",
            fmt(v, 0), "ms", "drop-in animation", "1,060 ms", f"+{fmt(beyond, 0)} ms", "≤ +150 ms",
            None if beyond is None else beyond <= 150)
        b = median(f"{program}-before.startup_ms")
        if b is not None:
            r = paired_ratio(f"{program}.startup_ms", f"{program}-before.startup_ms")
            row(f"{program}: the same against the program before the change", fmt(v, 0), "ms",
                "the same program before the change", fmt(b, 0) + " ms", fmt(r, 3) + "×", "≤ 1.02× (not grown)",
                None if r is None else r <= 1.02)
    row(f"Wine's own process start → first window of a bare program (median of {rounds('bare.startup_ms')})",
        fmt(bare, 0), "ms", "(part of every start-up above)", "", "—", "—", None)

    print("# Benchmark results")
    print()
    print(f"- Machine: {info.get('machine.cpu', '?')}, {info.get('machine.cores', '?')} cores, "
          f"load average {info.get('machine.load', '?')} at the start, {info.get('machine.load_end', '?')} at the end")
    print(f"- Date: {info.get('run.date', '?')}")
    print(f"- Commit: {info.get('run.commit', '?')}")
    print(f"- Output: the programs write {info.get('program.output_size', '?')} at JPEG quality "
          f"{info.get('program.jpeg_quality', '?')}; ImageMagick {info.get('imagemagick.output', '?')}; "
          f"encoder alone {info.get('encoder.output', '?')} (width×height quality)")
    print("- Native figures: Google Benchmark, CPU time, median of 5 repetitions run in random interleaving, "
          "one core, Release build without sanitizers (build/bench). Wine figures: wall time, medians of the "
          "rounds; in each round quarvex, quarvex-swap, ImageMagick and the encoder alone run one after the other, "
          "and a conversion's ratio is the median of its ratios within the rounds.")
    print("- The machine is shared: other work runs beside the benchmarks (see the load average), so single "
          "figures drift; compare a figure with the reference beside it, taken in the same run.")
    print()
    print("| Figure | Value | Reference | Reference value | Ratio | Goal | Met |")
    print("|---|---|---|---|---|---|---|")
    for r in rows:
        print(r)

    # Where the conversion's time goes, each toolkit call timed inside a process hosting the toolkit
    steps = (("start", "Start → the user routine (the worker's next pass)"),
             ("create", "VRX_CreateImage of the canvas (window, DCs, DIB section) and VRX_SelectImage"),
             ("fill", "the canvas fill: VRX_PutImage (and VRX_DrawBox in quarvex-swap)"),
             ("update", "VRX_UpdateImage at zoom 50 (StretchBlt)"),
             ("save_own", "VRX_SaveImage's own work (the save minus the encoder alone)"),
             ("encoder", "the GDI+ JPEG encoder alone on the same picture, in the same process"),
             ("box", "VRX_Pause until its \"変換終了\" box is seen"),
             ("toolkit", "the toolkit's own part in all (Start → box minus the encoder)"),
             ("destroy", "VRX_DestroyImage of both images (after OK, outside the timing above)"))
    programs = ("quarvex", "quarvex-swap")
    if any(median(f"phases.{p}.save_ms") is not None for p in programs):
        print()
        print("Where the time goes (milliseconds, medians of the rounds; `vrx_bench_phases` runs each step of "
              "the conversion as the program does, in a fresh process that hosts the toolkit):")
        print()
        print("| Step | quarvex | quarvex-swap |")
        print("|---|---|---|")
        for key, what in steps:
            values = [fmt(median(f"phases.{p}.{key}_ms"), 1) for p in programs]
            print(f"| {what} | {values[0]} | {values[1]} |")

    # The analysis written by hand beside the figures (where the time goes, what was cut), kept in
    # bench/notes.md so that a new run keeps it
    notes = os.path.join(os.path.dirname(os.path.abspath(__file__)), "notes.md")
    if os.path.exists(notes):
        print()
        with open(notes, encoding="utf-8") as f:
            print(f.read().rstrip())


if __name__ == "__main__":
    main()
