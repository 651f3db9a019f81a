#!/usr/bin/python3
"""The Python peers of two benchmarks, on the same camera images, timed side by side.

- The ratio run over eight images and fibres 41 to 184 (summing half-width 5, frame 1, the ratio
  window's default wavelengths): each frame read with numpy.loadtxt and with pandas.read_csv (C
  engine), the traces cut from it and the ratios computed as the window does; the faster reader
  is the peer. Every result line must equal the one in RazonInt.dat that our run left.
- The same run over sixteen images, against ours on one thread and on two (the images read at
  once, the ratios taken in order); its lines must equal the RazonInt.dat that run left.
- One trace of frame 10 of a ten-frame image (column 47, half-width 5): the frame's needed
  columns read with each reader.

Our figures come from lineid_bench's JSON output (medians of its repetitions); the peers' are
medians too. Prints each time and the ratio ours / peer, and how much faster two threads run the
sixteen images than one.
"""

import argparse
import json
import statistics
import sys
import time

import numpy as np
import pandas as pd

LINES = 1024
FIBRES = range(41, 185)
HALF_WIDTH = 5
LINE1, REF1, AR, BACKGROUND = 406.57, 405.54, 415.16, 402.0


def read_numpy(path, frame, columns):
    return np.loadtxt(path, skiprows=(frame - 1) * LINES, max_rows=LINES, usecols=columns,
                      dtype=np.float64)


def read_pandas(path, frame, columns):
    return pd.read_csv(path, sep="\t", header=None, skiprows=(frame - 1) * LINES, nrows=LINES,
                       usecols=columns, engine="c", dtype=np.float64).to_numpy()


READERS = {"numpy loadtxt": read_numpy, "pandas read_csv": read_pandas}


def first_at_or_beyond(x, wavelength):
    at = np.flatnonzero(x >= wavelength)
    return int(at[0]) if at.size else None


def climb(y, k):
    last = len(y) - 1

    def rises_right(i):
        return i < last and y[i] < y[i + 1] and (i == 0 or y[i - 1] < y[i])

    def rises_left(i):
        return i > 0 and y[i] < y[i - 1] and (i == last or y[i + 1] < y[i])

    if rises_right(k):
        while rises_right(k):
            k += 1
    else:
        while rises_left(k):
            k -= 1
    return y[k]


def ratio_lines(path, reader, state):
    """The result lines of one image, as RazonInt.dat holds them; `state` carries over."""
    first_position = min(FIBRES) - HALF_WIDTH
    last_position = max(FIBRES) + HALF_WIDTH
    columns = [0] + list(range(first_position - 1, last_position))
    frame = reader(path, 1, columns)
    # The abscissa as the store reads it back from "%10.3f"; the values summed over each
    # fibre's window, divided by 2n and rounded half to even, as "%10.0f" keeps them.
    x = np.array([float("%.3f" % v) for v in frame[:, 0]])
    windows = np.lib.stride_tricks.sliding_window_view(frame[:, 1:], 2 * HALF_WIDTH + 1, axis=1)
    traces = np.rint(windows.sum(axis=2) / (2.0 * HALF_WIDTH))
    k_background = first_at_or_beyond(x, BACKGROUND)
    starts = [first_at_or_beyond(x, w) for w in (LINE1, REF1, AR)]
    lines = []
    for fibre in FIBRES:
        y = traces[:, fibre - first_position - HALF_WIDTH].tolist()
        if k_background is not None and k_background + 1 < len(y):
            after = y[k_background + 1:k_background + 11]
            state["background"] = sum(after) / len(after)
        for name, k in zip(("line1", "ref1", "ar"), starts):
            if k is not None:
                state[name] = climb(y, k)
        b = state["background"]
        r1 = abs((state["line1"] - b) / (state["ref1"] - b))
        ar_line1 = abs((state["ar"] - b) / (state["line1"] - b))
        ar_ref1 = abs((state["ar"] - b) / (state["ref1"] - b))
        lines.append(f"{fibre}     {r1:8.4f}     {ar_line1:8.4f}     {ar_ref1:8.4f}     "
                     f"{state['ar']:8.4f}")
    return lines


def ratio_run(images, reader):
    state = {"background": 0.0, "line1": 0.0, "ref1": 0.0, "ar": 0.0}
    out = []
    for name, path in images:
        out.append("####  " + name)
        out.extend(ratio_lines(path, reader, state))
    return out


def extract_frame10(path, reader):
    columns = [0] + list(range(47 - HALF_WIDTH - 1, 47 + HALF_WIDTH))
    frame = reader(path, 10, columns)
    return frame[:, 0], np.rint(frame[:, 1:].sum(axis=1) / (2.0 * HALF_WIDTH))


def median_seconds(run, repetitions):
    times = []
    for _ in range(repetitions):
        start = time.perf_counter()
        run()
        times.append(time.perf_counter() - start)
    return statistics.median(times)


def our_median(report, name):
    for b in report["benchmarks"]:
        if b.get("run_name", b["name"]).startswith(name) and b.get("aggregate_name") == "median":
            scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[b["time_unit"]]
            return b["real_time"] * scale
    sys.exit(f"peers: no median of {name} in the benchmark report")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--report", required=True, help="lineid_bench JSON output")
    parser.add_argument("--ratio-dir", required=True, help="folder of img1.asc .. img8.asc")
    parser.add_argument("--ratio16-dir", required=True, help="folder of img1.asc .. img16.asc")
    parser.add_argument("--image", required=True, help="the ten-frame image")
    parser.add_argument("--repetitions", type=int, default=7)
    args = parser.parse_args()
    with open(args.report) as f:
        report = json.load(f)

    images = [(f"img{i}.asc", f"{args.ratio_dir}/img{i}.asc") for i in range(1, 9)]
    images16 = [(f"img{i}.asc", f"{args.ratio16_dir}/img{i}.asc") for i in range(1, 17)]
    failed = False
    for run_images, folder in ((images, args.ratio_dir), (images16, args.ratio16_dir)):
        with open(f"{folder}/RazonInt.dat") as f:
            ours = f.read().splitlines()
        for label, reader in READERS.items():
            if ratio_run(run_images, reader) != ours:
                print(f"peers: the ratios through {label} differ from {folder}/RazonInt.dat")
                failed = True

    sixteen = lambda reader: ratio_run(images16, reader)
    rows = [
        ("ratio run, 8 images x 144 fibres", "ratioRunEightImages",
         lambda reader: ratio_run(images, reader)),
        ("ratio run, 16 images x 144 fibres, 1 job", "ratioRunSixteenImages/1/", sixteen),
        ("ratio run, 16 images x 144 fibres, 2 jobs", "ratioRunSixteenImages/2/", sixteen),
        ("one trace of frame 10 (ten-frame image)", "extractTraceToTempOfFrame10",
         lambda reader: extract_frame10(args.image, reader)),
    ]
    timed = {}
    for title, benchmark, job in rows:
        ours_s = our_median(report, benchmark)
        if job not in timed:
            timed[job] = {label: median_seconds(lambda r=reader: job(r), args.repetitions)
                          for label, reader in READERS.items()}
        peers = timed[job]
        best = min(peers, key=peers.get)
        print(f"{title}: ours {ours_s * 1e3:.2f} ms; " +
              "; ".join(f"{label} {t * 1e3:.2f} ms" for label, t in peers.items()) +
              f"; ours / {best} = {ours_s / peers[best]:.3f} "
              f"({peers[best] / ours_s:.1f} times faster)")
    one = our_median(report, "ratioRunSixteenImages/1/")
    two = our_median(report, "ratioRunSixteenImages/2/")
    print(f"ratio run, 16 images: 2 jobs {two * 1e3:.2f} ms, 1 job {one * 1e3:.2f} ms; "
          f"{one / two:.2f} times faster on two threads")
    if not failed:
        print("peers: every ratio equals RazonInt.dat's")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
