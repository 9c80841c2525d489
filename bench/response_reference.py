#!/usr/bin/python3
"""The response of bench/resonance_bench.cpp computed with numpy and written
with pandas' to_csv, timing itself: a yardstick for the library's points per
second and the command line's rows per second.

The worked example (V = 1 l, d = 2 cm, t = 1 cm, one port, flanged, 20 C) at
about 10^6 frequencies from 20 Hz to 20 kHz, 100343 points per octave: the
impedance (real, imaginary), the cavity gain in dB and the absorption area,
by the formulas of docs/losses.md, J1 from scipy.special.

Needs Debian's python3-numpy, python3-pandas and python3-scipy; run with
/usr/bin/python3 bench/response_reference.py [output.csv] (default: a
temporary file, removed afterwards).
"""
import os
import sys
import tempfile
import time

import numpy as np
import pandas as pd
from scipy.special import j1

POINTS_PER_OCTAVE = 100343


def air(temperature_c=20.0):
    kelvin = temperature_c + 273.15
    c = 331.3 * np.sqrt(1 + temperature_c / 273.15)
    rho = 101325 / (287.05 * kelvin)
    eta = 1.458e-6 * kelvin**1.5 / (kelvin + 110.4)
    return c, rho, eta


def response(frequency_hz, volume_m3=1e-3, thickness_m=0.01, diameter_m=0.02):
    c, rho, eta = air()
    area_m2 = np.pi / 4 * diameter_m**2
    delta_m = 2 * 8 / (3 * np.pi) * diameter_m / 2
    omega = 2 * np.pi * frequency_hz
    x = diameter_m * np.sqrt(omega * rho / (4 * eta))
    t, d = thickness_m, diameter_m
    r = 32 * eta * t / (rho * c * d * d) * (np.sqrt(1 + x * x / 32) + np.sqrt(2) / 8 * x * d / t)
    m = omega * t / c * (1 + 1 / np.sqrt(9 + x * x / 2)) + omega * delta_m / c
    orifice = rho * c / area_m2 * (r + 1j * m)
    kb = omega / c * np.sqrt(area_m2 / np.pi)
    radiation = rho * c / area_m2 * (1 - j1(2 * kb) / kb)
    cavity = rho * c * c / (1j * omega * volume_m3)
    total = orifice + radiation + cavity
    norm = np.abs(total) ** 2
    return {
        "frequency_hz": frequency_hz,
        "impedance_re_pa_s_m3": total.real,
        "impedance_im_pa_s_m3": total.imag,
        "cavity_gain_db": 10 * np.log10(np.abs(cavity) ** 2 / norm),
        "absorption_area_m2": 4 * rho * c * orifice.real / norm,
    }


def main():
    start = time.perf_counter()
    count = int(np.floor(np.log2(20000 * (1 + 1e-9) / 20) * POINTS_PER_OCTAVE)) + 1
    frequency_hz = 20 * np.exp2(np.arange(count) / POINTS_PER_OCTAVE)
    columns = response(frequency_hz)
    computed = time.perf_counter()
    table = pd.DataFrame(columns)
    if len(sys.argv) > 1:
        path, remove = sys.argv[1], False
    else:
        handle, path = tempfile.mkstemp(suffix=".csv")
        os.close(handle)
        remove = True
    table.to_csv(path, index=False)
    written = time.perf_counter()
    size = os.path.getsize(path)
    if remove:
        os.remove(path)
    compute_s, write_s = computed - start, written - computed
    print("points: %d" % count)
    print("numpy response: %.3f s, %.2f M points/s" % (compute_s, count / compute_s / 1e6))
    print("pandas to_csv:  %.3f s, %.2f M rows/s (%.1f MB)" % (write_s, count / write_s / 1e6, size / 1e6))
    at = int(np.argmin(np.abs(frequency_hz - 186.41)))
    print("near 186.41 Hz: " + ", ".join("%s %.12g" % (k, v[at]) for k, v in columns.items()))


if __name__ == "__main__":
    main()
