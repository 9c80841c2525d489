#!/usr/bin/env python3
"""Reference values for tests/acoustics/*_test.cpp from mpmath at 30 digits.

The losses, impedance and response of a Helmholtz resonator as docs/losses.md
writes them, computed anew from the formulas (none of the library's code):
air at 20 C, Maa's orifice impedance with Ingard's end resistance, the end
corrections, the baffled piston's radiation resistance with mpmath's besselj,
the cavity, the quality factors, the absorption area and its peak (a root of
its derivative), and the exact slit flow of a slot.

Run: python3 tests/acoustics/reference/resonator_losses.py (DIGITS=30 for the
worked example of docs/losses.md)
"""
import os
import random

from mpmath import mp, mpf, mpc, sqrt, pi, besselj, tanh, log10, asinh, findroot, diff, fabs, j as J

mp.dps = 40
# Digits printed: 21 for the tests' rows; DIGITS=30 for docs/losses.md.
DIGITS = int(os.environ.get("DIGITS", "21"))

T = mpf(20)
TK = T + mpf("273.15")
C = mpf("331.3") * sqrt(1 + T / mpf("273.15"))
RHO = mpf(101325) / (mpf("287.05") * TK)
ETA = mpf("1.458e-6") * TK * sqrt(TK) / (TK + mpf("110.4"))

FLANGED_PER_RADIUS = 8 / (3 * pi)
FREE_PER_RADIUS = mpf("0.6133")
ENDS = {  # (outer, inner)
    "kFlanged": ("flanged", "flanged"),
    "kFree": ("free", "free"),
    "kFlangedFree": ("flanged", "free"),
}


def exact(text):
    """The double the C++ test writes for `text`, exactly."""
    return mpf(float(text))


def n(x):
    return mp.nstr(x, DIGITS)


def round_end(radius, kind):
    return radius * (FLANGED_PER_RADIUS if kind == "flanged" else FREE_PER_RADIUS)


def rectangle_integral(a, b):
    return (mpf(2) / 3) * (a**3 + b**3 - (a * a + b * b) ** mpf(1.5)) + 2 * a * b * b * asinh(a / b) + 2 * a * a * b * asinh(b / a)


def slot_end(width, height, kind):
    flanged = rectangle_integral(width, height) / (2 * pi * width * height)
    return flanged if kind == "flanged" else flanged * mpf("0.6133") / mpf("0.8488")


class Design:
    def __init__(self, volume, thickness, ends, count=1, diameter=None, slot=None, pitch=None):
        self.volume, self.thickness, self.count, self.pitch = exact(volume), exact(thickness), count, pitch
        self.outer, self.inner = ENDS[ends]
        self.diameter, self.slot = (exact(diameter) if diameter else None), slot
        if diameter:
            self.area = pi * self.diameter**2 / 4
            delta = round_end(self.diameter / 2, self.outer) + round_end(self.diameter / 2, self.inner)
        else:
            w, h = exact(slot[0]), exact(slot[1])
            self.area = w * h
            delta = slot_end(w, h, self.outer) + slot_end(w, h, self.inner)
        if pitch:
            self.phi = self.area / exact(pitch) ** 2
            delta *= 1 - mpf("1.14") * sqrt(self.phi)
            self.radiating = count * exact(pitch) ** 2
        else:
            self.radiating = count * self.area
        self.delta = delta
        self.length = self.thickness + delta

    def lossless_f(self):
        return C / (2 * pi) * sqrt(self.count * self.area / (self.volume * self.length))

    def orifice(self, f):
        w = 2 * pi * f
        rs = sqrt(w * RHO * ETA / 2)
        if self.diameter:
            d, t = self.diameter, self.thickness
            x = d * sqrt(w * RHO / (4 * ETA))
            r = 32 * ETA * t / (RHO * C * d * d) * (sqrt(1 + x * x / 32) + sqrt(2) / 8 * x * d / t)
            m = w * t / C * (1 + 1 / sqrt(9 + x * x / 2)) + w * self.delta / C
            return RHO * C / self.area * mpc(r, m) / self.count
        h = exact(self.slot[1])
        s = h / 2 * sqrt(J * w * RHO / ETA)
        rho_e = RHO / (1 - tanh(s) / s)
        z = (J * w * rho_e * self.thickness + 4 * rs + J * w * RHO * self.delta) / self.area
        return z / self.count

    def radiation(self, f):
        k = 2 * pi * f / C
        b = sqrt(self.radiating / pi)
        r = RHO * C / self.radiating * (1 - besselj(1, 2 * k * b) / (k * b))
        return r / 2 if self.outer == "free" else r

    def cavity(self, f):
        return RHO * C * C / (J * 2 * pi * f * self.volume)

    def total(self, f):
        return self.orifice(f) + self.radiation(f) + self.cavity(f)

    def sigma(self, f):
        return 4 * RHO * C * self.orifice(f).real / fabs(self.total(f)) ** 2

    def gain_db(self, f):
        return 20 * log10(fabs(self.cavity(f) / self.total(f)))

    def losses(self, f):
        z = self.orifice(f)
        rr = self.radiation(f)
        q = z.imag / (rr + z.real)
        return z.imag / rr, z.imag / z.real, q, f / q

    def peak(self):
        f0 = self.lossless_f()
        fp = findroot(lambda f: diff(self.sigma, f), f0)
        return fp, self.sigma(fp)


def worked_example():
    print("// The worked example: model, f, q_radiation, q_viscous, q, bandwidth_hz, peak_hz, peak_m2, ideal_m2")
    for ends in ENDS:
        d = Design("1e-3", "0.01", ends, diameter="0.02")
        f = d.lossless_f()
        q_rad, q_visc, q, bw = d.losses(f)
        if d.outer == "free":
            peak = ("std::nullopt", "std::nullopt")
        else:
            fp, area = d.peak()
            peak = (n(fp), n(area))
        ideal = (C / f) ** 2 / (2 * pi)
        print("Row{EndModel::%s, %s, %s, %s, %s, %s, %s, %s, %s}," % (ends, n(f), n(q_rad), n(q_visc), n(q), n(bw), *peak, n(ideal)))
        old = 2 * pi * sqrt(d.volume * (d.length / (d.count * d.area)) ** 3)
        print("//   old 2pi sqrt(V (L'/S)^3) = %s, q_radiation over it %s" % (mp.nstr(old, 8), mp.nstr(q_rad / old, 8)))


def impedances():
    print("// Impedances: model, frequency, orifice re, im, radiation, cavity im, gain dB, sigma")
    for ends in ENDS:
        d = Design("1e-3", "0.01", ends, diameter="0.02")
        for text in ("20", "186.41", "1000", "5000"):
            f = exact(text)
            z = d.orifice(f)
            s = "std::nullopt" if d.outer == "free" else n(d.sigma(f))
            print("Row{EndModel::%s, %s, %s, %s, %s, %s, %s, %s}," % (ends, text, n(z.real), n(z.imag), n(d.radiation(f)), n(d.cavity(f).imag), n(d.gain_db(f)), s))


def slot_design():
    print("// A slot 5 cm x 1 cm, t = 1 cm, V = 1 l, flanged: f, then frequency, orifice re, im, radiation")
    d = Design("1e-3", "0.01", "kFlanged", slot=("0.05", "0.01"))
    print(n(d.lossless_f()), n(d.delta))
    for text in ("50", "300", "3000"):
        f = exact(text)
        z = d.orifice(f)
        print("Row{%s, %s, %s, %s}," % (text, n(z.real), n(z.imag), n(d.radiation(f))))
    w, h = mpf(5), mpf(1)
    ratio = slot_end(w, h, "flanged") / round_end(sqrt(w * h / pi), "flanged")
    print("// slot 1:5 end correction over the equal-area circle's: %s" % n(ratio))


def panel():
    print("// 351 holes of 8 mm in 6 mm over 18 l, pitch 32 mm: f, delta, q_radiation, k L'/phi, peak_hz, peak_m2")
    d = Design("0.018", "0.006", "kFlanged", count=351, diameter="0.008", pitch="0.032")
    f = d.lossless_f()
    q_rad = d.losses(f)[0]
    k = 2 * pi * f / C
    fp, area = d.peak()
    print(n(f), n(d.delta), n(q_rad), n(k * d.length / d.phi), n(fp), n(area))


def seeded_points():
    """Arguments across the table and the expansion, the same on every run."""
    generator = random.Random(1953)
    return [repr(round(generator.uniform(0, 60), 6)) for _ in range(24)]


def bessel_rows():
    print("// J1(z) and 1 - 2 J1(z)/z")
    for z in ["1e-8", "1e-3", "0.5", "1", "1.999", "2", "2.5", "3.8317059702075123", "5.1356223018406826",
              "7.0155866698156188", "10.5", "17.3", "31.999", "32", "40", "100", "1000", "12345.6"] + seeded_points():
        text, z = z, exact(z)
        j1 = besselj(1, z)
        print("Row{%s, %s, %s}," % (text, n(j1), n(1 - 2 * j1 / z)))


def slit_rows():
    print("// SlitImpedance of a narrow slit at low frequencies (|s| small): width, frequency, re, im")
    for width_text, f_text in (("1e-5", "10"), ("1e-4", "10"), ("2e-4", "100"), ("0.05", "20000")):
        width, f = exact(width_text), exact(f_text)
        w = 2 * pi * f
        s = width / 2 * sqrt(J * w * RHO / ETA)
        rho_e = RHO / (1 - tanh(s) / s)
        z = (J * w * rho_e * exact("0.01") + 4 * sqrt(w * RHO * ETA / 2)) / (RHO * C)
        print("Row{%s, %s, %s, %s},  // |s| = %s" % (width_text, f_text, n(z.real), n(z.imag), mp.nstr(fabs(s), 3)))


if __name__ == "__main__":
    worked_example()
    impedances()
    slot_design()
    panel()
    bessel_rows()
    slit_rows()
