#!/usr/bin/python3
"""The response rows of tests/app/commands_test.cpp (the worked example, 1 l,
d = 2 cm, t = 1 cm, 20 C) at 30 digits, with the speed of sound the commands
keep: 343.2146226... m/s rounded to single once, 34321.4609375 cm/s.
Run: python3 tests/acoustics/reference/response_rows.py"""
from mpmath import mp, mpf, sqrt, pi, besselj, log10, fabs, mpc
mp.dps = 30
def air(T=mpf(20)):
    K = T + mpf('273.15')
    c = mpf('343.21460937500')  # the program's c: 34321.4609375 cm/s
    rho = mpf(101325)/(mpf('287.05')*K)
    eta = mpf('1.458e-6')*K**mpf('1.5')/(K+mpf('110.4'))
    return c, rho, eta
def resp(f, V=mpf('1e-3'), t=mpf('0.01'), d=mpf('0.02'), ends='flanged'):
    c, rho, eta = air()
    a = d/2; S = pi*a*a
    per_end = {'flanged': 8*a/(3*pi), 'free': mpf('0.6133')*a}
    delta = 2*per_end['flanged'] if ends=='flanged' else 2*per_end['free']
    w = 2*pi*f
    x = d*sqrt(w*rho/(4*eta))
    r = 32*eta*t/(rho*c*d*d)*(sqrt(1+x*x/32)+sqrt(2)/8*x*d/t)
    m = w*t/c*(1+1/sqrt(9+x*x/2)) + w*delta/c
    Zo = rho*c/S*mpc(r, m)
    k = w/c; b = sqrt(S/pi)
    Rr = rho*c/S*(1-besselj(1,2*k*b)/(k*b))
    if ends=='free': Rr /= 2
    Zc = rho*c*c/(mpc(0,1)*w*V)
    Z = Zo + Rr + Zc
    gain = 20*log10(fabs(Zc/Z))
    area = 4*rho*c*Zo.real/fabs(Z)**2
    return Z.real, Z.imag, gain, area
for f in [150, 200]:
    print(f, [mp.nstr(v, 12) for v in resp(mpf(f))])
print('free 100', [mp.nstr(v, 12) for v in resp(mpf(100), ends='free')])
