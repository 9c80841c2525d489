"""Reference rows for tests/acoustics/panel_published_test.cpp and the section
"Published absorbers" of docs/absorbers.md.

Maa (1998), "Potential of microperforated panel absorber", J. Acoust. Soc. Am.
104(5), 2861-2866, Table I prints, for a resistive sheet of normalised
resistance r and no mass (his perforate constant k = 0) over an air cavity,
the largest normal-incidence absorption alpha0 = 4r/(1+r)^2 (his Eq. 10) and
the ratio B = f2/f1 of the frequencies where the absorption falls to half of
it (his Eq. 21, B = pi/arccot(1+r) - 1). The printed values are quoted as a
third party transcribed them (jmrplens/phonometry,
tests/reference_data/materials.py, "Maa (1998) ... Table I (printed)").

Here both are computed twice at 30 digits: from Maa's closed forms, and by
searching the absorption of r - j cot(kD) for its peak and half-absorption
frequencies, the way the C++ test searches the library's curve. The two must
agree with each other to many digits and with the print to its last digit.

Run: python3 tests/acoustics/reference/panel_published.py
"""
from mpmath import mp, mpf, pi, atan, cot, findroot

from panel_absorber import C

mp.dps = 30

# (r, alpha0 as printed, B as printed), Maa 1998 Table I.
MAA_TABLE_I = [
    (1, '1.0', '5.78'),
    (2, '0.89', '8.76'),
    (3, '0.75', '11.82'),
    (4, '0.64', '14.91'),
    (5, '0.56', '18.02'),
]

DEPTH = mpf('0.1')  # any depth: B does not depend on it


def alpha(r, f):
    """Normal-incidence absorption of the sheet r over the air cavity DEPTH."""
    z_imag = -cot(2 * pi * f * DEPTH / C)
    return 4 * r / ((1 + r)**2 + z_imag**2)


def searched_ratio(r):
    """f2/f1 found on the absorption curve itself, as the C++ test does."""
    quarter_wave = C / (4 * DEPTH)
    half = alpha(r, quarter_wave) / 2
    edge = quarter_wave / 1000
    f1 = findroot(lambda f: alpha(r, f) - half, (edge, quarter_wave), solver='anderson')
    f2 = findroot(lambda f: alpha(r, f) - half, (quarter_wave, 2 * quarter_wave - edge), solver='anderson')
    return f2 / f1


def main():
    print('r | alpha0 printed | 4r/(1+r)^2 | B printed | pi/arccot(1+r) - 1 | f2/f1 searched')
    for r, alpha0_printed, b_printed in MAA_TABLE_I:
        r = mpf(r)
        alpha0 = 4 * r / (1 + r)**2
        closed = pi / atan(1 / (1 + r)) - 1
        print('%s | %s | %s | %s | %s | %s' % (mp.nstr(r, 2), alpha0_printed, mp.nstr(alpha0, 20), b_printed,
                                              mp.nstr(closed, 20), mp.nstr(searched_ratio(r), 20)))


if __name__ == '__main__':
    main()
