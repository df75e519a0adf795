#!/bin/sh
# Runs kernel_benchmarks and prints its figures in MB/s (10^6 bytes of output
# per second, one core); then, when libvips' command-line tool is installed
# (Debian: libvips-tools), times `vips resize --kernel linear` enlarging a
# Gray and a Color image of the same width (5100 pixels) by 2, 4, 6 and 8 on
# one thread, beside the enlarger's time for the same image.
#   usage: compare_vips.sh <path to kernel_benchmarks> [lines, default 256]
set -eu
bench=$1
lines=${2:-256}
work=$(mktemp -d /dev/shm/plnx-bench.XXXXXX 2>/dev/null || mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

"$bench" --benchmark_min_time=0.5 --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
  --benchmark_format=json --benchmark_out="$work/kernels.json" --benchmark_out_format=json >/dev/null

python3 - "$work" "$lines" <<'EOF'
import json, os, shutil, subprocess, sys, time
work, lines = sys.argv[1], int(sys.argv[2])
runs = json.load(open(os.path.join(work, "kernels.json")))["benchmarks"]
rate = {}
for r in runs:
    if r.get("aggregate_name") == "median":
        rate[r["run_name"]] = r["bytes_per_second"] / 1e6
print("%-52s %10s" % ("kernel (median of 3)", "MB/s"))
for name, mbs in rate.items():
    print("%-52s %10.0f" % (name, mbs))

if shutil.which("vips") is None:
    print("\nvips not installed: no comparison")
    sys.exit(0)
env = dict(os.environ, VIPS_CONCURRENCY="1")
def vips(*args):
    subprocess.run(["vips", *args], check=True, env=env, stdout=subprocess.DEVNULL)
def timed(*args, repeat=3):
    best = None
    for _ in range(repeat):
        t = time.perf_counter(); vips(*args); t = time.perf_counter() - t
        best = t if best is None else min(best, t)
    return best
noise, gray, colour = (os.path.join(work, n) for n in ("noise.v", "gray.v", "colour.v"))
vips("gaussnoise", noise, "5100", str(lines), "--mean", "128", "--sigma", "50")
vips("cast", noise, gray, "uchar")
vips("bandjoin", " ".join([gray] * 3), os.path.join(work, "c3.v"))
vips("copy", os.path.join(work, "c3.v"), colour, "--interpretation", "srgb")
out = os.path.join(work, "out.v")
print("\n5100 x %d input, one thread; times are the best of 3 wall-clock runs" % lines)
print("%-6s %2s %12s %12s %12s %10s %14s" % ("kind", "f", "out MB", "vips s", "vips MB/s", "ours s", "ours MB/s"))
base = timed("copy", gray, out)
for kind, name, path, bands in (("gray", 1, gray, 1), ("colour", 2, colour, 3)):
    for f in (2, 4, 6, 8):
        t = timed("resize", path, out, str(f), "--kernel", "linear")
        os.remove(out)
        mb = 5100 * lines * bands * f * f / 1e6
        ours = rate.get("BM_Enlarge/kind:%d/f:%d" % (name, f))
        print("%-6s %2d %12.1f %12.3f %12.0f %10.4f %14.0f" % (kind, f, mb, t, mb / t, mb / ours, ours))
print("(vips copy of the gray input, i.e. start-up and file cost: %.3f s)" % base)
EOF
