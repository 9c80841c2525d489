"""The micro-perforated panel of Maa (1998), Fig. 5 (d = t = 0.2 mm, holes on a
square grid every 2.5 mm, cavity 60 mm), as this library models it, with the
end resistance as Cox and D'Antonio write it (Ingard's 4 R_s, the library's)
and as Maa 1998 prints it (a quarter of that), for docs/absorbers.md.

Run: python3 tests/acoustics/reference/panel_maa_design.py
"""
from mpmath import mp, mpf, sqrt, pi, findroot

from panel_absorber import C, RHO, ETA, J, surface, alpha_at, perforated

mp.dps = 30

D_HOLE = mpf('0.0002')
T = mpf('0.0002')
PITCH = mpf('0.0025')
PHI = pi / 4 * (D_HOLE / PITCH)**2
DEPTH = mpf('0.06')
DESIGN = {'facing': ('holes', D_HOLE, T, PHI), 'depth': DEPTH}


def maa_printed(f):
    """The same absorber with Maa's printed end resistance (sqrt(2) x / 32)."""
    omega = 2 * pi * f
    z = perforated(D_HOLE, T, PHI, omega)
    x = D_HOLE * sqrt(omega * RHO / (4 * ETA))
    full = 32 * ETA * T / (PHI * RHO * C * D_HOLE**2) * (sqrt(2) / 8 * x * D_HOLE / T)
    return z - full * mpf(3) / 4 + (-J / mp.tan(omega * DEPTH / C))


def main():
    print('open area', mp.nstr(PHI, 6))
    print('f Hz | alpha (4 R_s) | alpha (Maa printed R_s)')
    for f in [125, 250, 500, 630, 800, 1000, 1250, 2000, 4000]:
        a1 = alpha_at(surface(DESIGN, f), 0)
        a2 = alpha_at(maa_printed(mpf(f)), 0)
        print('%d | %s | %s' % (f, mp.nstr(a1, 3), mp.nstr(a2, 3)))
    # The peak: Im z = 0.
    peak = findroot(lambda f: surface(DESIGN, f).imag, 700)
    peak_printed = findroot(lambda f: maa_printed(f).imag, 700)
    print('peak', mp.nstr(peak, 5), mp.nstr(alpha_at(surface(DESIGN, peak), 0), 4), 'printed', mp.nstr(peak_printed, 5),
          mp.nstr(alpha_at(maa_printed(peak_printed), 0), 4))


if __name__ == '__main__':
    main()
