"""Thermocouple conversions of ITS-90 (NIST Monograph 175), the tolerance
classes of IEC 60584-1 and ASTM E230's limits of error, on the same engine
as kalvetra-cli, for the ten types in TYPES: J K T E N B R S and the
tungsten-rhenium types C and A, which have no inverse polynomial and are
always inverted exactly. A cold junction at tc contributes E(tc) - E(0 °C):
type A's function gives 0.716 µV at 0 °C.

Every function takes a Python number, a sequence, a numpy array of any
shape and real dtype, a masked array or a pandas Series (nullable Float64
and Int64 too), and returns a float for a scalar, a Series with the same
index and name for a Series, a masked array with the same mask for a
masked array, otherwise a new float64 array of the broadcast shape.
Nothing is extrapolated: a value outside the domain is refused.
errors="raise" raises ValueError naming the first refused element, its
index and the reason; errors="nan" turns refused elements (NaN and pd.NA
among them) into NaN and converts the rest. Masked elements stay masked
and are never checked.
"""
import sys

import numpy as np

from . import _kalvetra
from ._kalvetra import TYPES, __version__

__all__ = ["TYPES", "emf", "temperature", "seebeck", "tolerance"]


def _values(x):
    """x as the extension reads it, and its mask (None where it has none)."""
    if isinstance(x, np.ma.MaskedArray):
        return x.data, np.ma.getmaskarray(x)
    pd = sys.modules.get("pandas")  # a pandas object means pandas is loaded
    if pd is not None:
        if x is pd.NA:
            return np.nan, None
        dtype = getattr(x, "dtype", None)
        # Nullable numbers: <NA> is refused as NaN is.
        if isinstance(dtype, pd.api.extensions.ExtensionDtype) and dtype.kind in "biuf":
            return x.to_numpy(dtype=np.float64, na_value=np.nan), None
    return x, None


def _call(function, arguments, *options):
    """function(typ-and-values..., options..., mask), the result shaped as
    the arguments: masked where any was, a Series where the first Series was."""
    typ, *arguments = arguments
    values, masks = zip(*map(_values, arguments))
    masks = [m for m in masks if m is not None]
    mask = np.logical_or.reduce(np.broadcast_arrays(*masks)) if masks else None
    result = function(typ, *values, *options, mask)
    if mask is not None:
        return np.ma.MaskedArray(result, mask=np.broadcast_to(mask, np.shape(result)).copy())
    pd = sys.modules.get("pandas")
    series = [a for a in arguments if pd is not None and isinstance(a, pd.Series)]
    if series and np.shape(result) == series[0].shape:
        return pd.Series(result, index=series[0].index, name=series[0].name)
    return result


def emf(typ, t, cold=None, *, unit="C", emf_unit="mV", errors="raise"):
    """Thermoelectric voltage E(t) - E(cold) of a thermocouple of type `typ`
    (one of TYPES: 'J', 'K', 'T', 'E', 'N', 'B', 'R', 'S', 'C', 'A', either
    case) with its measuring
    junction at `t` and its reference junction at `cold`.

    t, cold  temperatures in `unit` ("C", "F" or "K"); cold broadcasts against t
             and defaults to the ice point (0 °C, 32 °F, 273.15 K). Both must lie
             in the type's reference domain.
    emf_unit "mV" or "uV" ("µV" and "μV" alike), the unit of the result.
    errors   "raise": ValueError at the first refused element;
             "nan": refused elements become NaN.

    >>> kalvetra.emf("K", 100.0)
    4.096...
    """
    return _call(_kalvetra.emf, (typ, t, cold), unit, emf_unit, errors)


def temperature(typ, e, cold=None, *, unit="C", emf_unit="mV", exact=False, errors="raise"):
    """Temperature of the measuring junction of a thermocouple of type `typ`
    that gives the voltage `e` with its reference junction at `cold`: the
    temperature whose EMF against 0 °C is e + E(cold).

    e      measured voltages in `emf_unit` ("mV" or "uV"; "µV" and "μV" alike).
    cold   reference-junction temperatures in `unit` ("C", "F" or "K"),
           broadcast against e; default the ice point (0 °C, 32 °F, 273.15 K).
    exact  False: NIST's inverse polynomial, whose domain is that of the
           compensated EMF; True: the exact inverse of the reference function,
           over the reference function's whole range. A bool only.
    errors "raise": ValueError at the first refused element;
           "nan": refused elements (and NaN inputs) become NaN.

    The result is in `unit`.

    >>> kalvetra.temperature("K", [4.096, 8.138], cold=[20.0, 21.5])
    array([...])
    """
    return _call(_kalvetra.temperature, (typ, e, cold), unit, emf_unit, exact, errors)


def seebeck(typ, t, *, unit="C", errors="raise"):
    """Seebeck coefficient dE/dt of the reference function of type `typ` at
    the temperatures `t` (in `unit`: "C", "F" or "K"), in µV per degree of
    `unit`. errors "raise" or "nan" as for emf().
    """
    return _call(_kalvetra.seebeck, (typ, t), unit, errors)


def tolerance(typ, t, cls, *, unit="C", errors="raise", standard="iec"):
    """Permissible deviation of IEC 60584-1 tolerance class `cls` (1, 2 or 3,
    any integral number) of type `typ` at the temperatures `t` (in `unit`:
    "C", "F" or "K"), as a width in degrees of `unit`. Types C and A have
    class 2 only. With standard="astm", ASTM E230's limit of error instead:
    `cls` "standard" or "special". NaN where the class or the standard gives
    no deviation (the command line's N/A), in both error modes; a
    temperature outside the type's domain is refused as by emf().
    """
    return _call(_kalvetra.tolerance, (typ, t), cls, unit, errors, standard)
