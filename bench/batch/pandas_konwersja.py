#!/usr/bin/python3
"""The pipeline a user would write instead of kalvetra-cli convert:
pandas read_csv, NIST's type K inverse polynomials vectorised in numpy with
the cold junction compensated by the reference function, to_csv.

    pandas_konwersja.py IN.csv OUT.csv
"""
import sys

import numpy as np
import pandas as pd

# NIST Monograph 175, type K, °C and mV.
REF_PONIZEJ_0 = [0.0, 0.394501280250e-01, 0.236223735980e-04, -0.328589067840e-06,
                 -0.499048287770e-08, -0.675090591730e-10, -0.574103274280e-12,
                 -0.310888728940e-14, -0.104516093650e-16, -0.198892668780e-19,
                 -0.163226974860e-22]
REF_POWYZEJ_0 = [-0.176004136860e-01, 0.389212049750e-01, 0.185587700320e-04,
                 -0.994575928740e-07, 0.318409457190e-09, -0.560728448890e-12,
                 0.560750590590e-15, -0.320207200030e-18, 0.971511471520e-22,
                 -0.121047212750e-25]
A0, A1, A2 = 0.118597600000e+00, -0.118343200000e-03, 0.126968600000e+03
ODWROTNE = [  # (from mV, to mV, coefficients)
    (-5.891, 0.0, [0.0, 2.5173462e+01, -1.1662878e+00, -1.0833638e+00, -8.9773540e-01,
                   -3.7342377e-01, -8.6632643e-02, -1.0450598e-02, -5.1920577e-04]),
    (0.0, 20.644, [0.0, 2.508355e+01, 7.860106e-02, -2.503131e-01, 8.315270e-02,
                   -1.228034e-02, 9.804036e-04, -4.413030e-05, 1.057734e-06, -1.052755e-08]),
    (20.644, 54.886, [-1.318058e+02, 4.830222e+01, -1.646031e+00, 5.464731e-02,
                      -9.650715e-04, 8.802193e-06, -3.110810e-08]),
]


def wielomian(wsp, x):
    return np.polynomial.polynomial.polyval(x, wsp)


def emf(t):
    """Reference function E(t) in mV."""
    return np.where(t < 0.0, wielomian(REF_PONIZEJ_0, t),
                    wielomian(REF_POWYZEJ_0, t) + A0 * np.exp(A1 * (t - A2) ** 2))


def temperatura(e):
    """Inverse polynomials; NaN outside their range."""
    t = np.full_like(e, np.nan)
    for od, do, wsp in ODWROTNE:
        w = (e >= od) & (e <= do)
        t[w] = wielomian(wsp, e[w])
    return t


def main():
    wejscie, wyjscie = sys.argv[1:3]
    df = pd.read_csv(wejscie)
    e = df["emf_mV"].to_numpy() + emf(df["cold_C"].to_numpy())
    df["temperature_C"] = np.round(temperatura(e), 2)
    df.to_csv(wyjscie, index=False)


if __name__ == "__main__":
    main()
