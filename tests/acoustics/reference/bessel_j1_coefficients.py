#!/usr/bin/env python3
"""Writes acoustics/bessel_j1_table.cpp: the coefficients of the fast Bessel J1.

Between kTableStart and kTableEnd, on each interval [n, n + 1), the Taylor
polynomial of degree 16 of J1 about n + 1/2: c_k = J1^(k)(n + 1/2) / k!, from
mpmath at 40 digits. Every derivative of J1 is at most 1 in magnitude on the
real line, so the remainder over |t| <= 1/2 is below 0.5^17 / 17! = 2e-20.
Beyond kTableEnd, the coefficients of Hankel's expansion (Abramowitz and
Stegun 9.2.5, 9.2.9, 9.2.10) for nu = 1: a_k = prod_{i=1..k} (4 - (2i-1)^2) /
(k! 8^k), P = sum (-1)^k a_2k / z^2k, Q = sum (-1)^k a_2k+1 / z^2k+1, with as
many terms as make the first one left out below 1e-17 at kTableEnd.

Run: python3 tests/acoustics/reference/bessel_j1_coefficients.py > acoustics/bessel_j1_table.cpp
"""
from mpmath import mp, mpf, besselj, diff, factorial, taylor

mp.dps = 40
TABLE_START = 2
TABLE_END = 32
DEGREE = 16


def hankel(k):
    product = mpf(1)
    for i in range(1, k + 1):
        product *= 4 - (2 * i - 1) ** 2
    return product / (factorial(k) * 8**k)


def number(x):
    return mp.nstr(x, 20, min_fixed=-1, max_fixed=1, strip_zeros=False)


def main():
    rows = []
    for n in range(TABLE_START, TABLE_END):
        coefficients = taylor(lambda z: besselj(1, z), mpf(n) + mpf(1) / 2, DEGREE)
        rows.append("    {" + ", ".join(number(c) for c in coefficients) + "},")
    terms = 0
    while abs(hankel(terms)) / mpf(TABLE_END) ** terms >= mpf("1e-17"):
        terms += 1
    p = [(-1) ** (k // 2) * hankel(k) for k in range(0, terms, 2)]
    q = [(-1) ** (k // 2) * hankel(k) for k in range(1, terms, 2)]
    print("// Written by tests/acoustics/reference/bessel_j1_coefficients.py: do not edit.")
    print('#include "acoustics/bessel_j1_table.h"')
    print()
    print("namespace acoustics::bessel_j1_table {")
    print()
    print("const std::array<Taylor, kTableEnd - kTableStart> kTaylor = {{")
    print("\n".join(rows))
    print("}};")
    print()
    print("const std::array<double, %d> kHankelP = {%s};" % (len(p), ", ".join(number(c) for c in p)))
    print("const std::array<double, %d> kHankelQ = {%s};" % (len(q), ", ".join(number(c) for c in q)))
    print()
    print("}  // namespace acoustics::bessel_j1_table")


if __name__ == "__main__":
    main()
