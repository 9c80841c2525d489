"""Reference figures of slot ports in the textbook models, to 30 digits.

A slot's end is a rectangular piston in a baffle (flanged):
    Delta_end = I(W, H) / (2 pi W H),
    I(a, b) = (2/3)(a^3 + b^3 - (a^2 + b^2)^(3/2)) + 2 a b^2 asinh(a/b) + 2 a^2 b asinh(b/a),
and 0.6133 / 0.8488 of that for a free end. Then L' = t + Delta,
f = (c / 2pi) sqrt(N S / (V L')), Q = 2 pi sqrt(V (L' / (N S))^3), bandwidth f/Q.
The slot sides are the single-precision floats the program reads.
Units: cm, cm^3, Hz, c in cm/s.
"""
import struct

from mpmath import mp, mpf, asinh, sqrt, pi

mp.dps = 30


def single(x):
    return mpf(struct.unpack("f", struct.pack("f", float(x)))[0])


def flanged_end(w, h):
    i = mpf(2) / 3 * (w**3 + h**3 - (w**2 + h**2) ** mpf(1.5)) + 2 * w * h**2 * asinh(w / h) + 2 * w**2 * h * asinh(h / w)
    return i / (2 * pi * w * h)


def end(w, h, kind):
    return flanged_end(w, h) * (1 if kind == "flanged" else mpf("0.6133") / mpf("0.8488"))


ENDS = {"flanged": ("flanged", "flanged"), "free": ("free", "free"), "flanged-free": ("flanged", "free")}


def figures(model, ports, w, h, t, v=None, f=None, c=mpf(34000)):
    w, h = single(w), single(h)
    s = w * h
    delta = sum(end(w, h, kind) for kind in ENDS[model])
    neck = t + delta
    if f is None:
        f = c / (2 * pi) * sqrt(ports * s / (v * neck))
    else:
        v = ports * s * c**2 / ((2 * pi * f) ** 2 * neck)
    q = 2 * pi * sqrt(v * (neck / (ports * s)) ** 3)
    return dict(f=f, v=v, delta=delta, q=q, bw=f / q)


if __name__ == "__main__":
    for model in ENDS:
        for ports in (1, 4):
            r = figures(model, ports, 4, "0.785398", 1, v=1000)
            print(f"slot 4 x 0.785398 {model} N={ports}:", {k: mp.nstr(x, 10) for k, x in r.items()})
    r = figures("free", 4, 4, 1, 1, f=mpf(100))
    print("slot 4 x 1 free N=4 at 100 Hz:", {k: mp.nstr(x, 10) for k, x in r.items()})
    print("flanged end of a 4 x 0.5 slot:", mp.nstr(flanged_end(mpf(4), mpf("0.5")), 10))
