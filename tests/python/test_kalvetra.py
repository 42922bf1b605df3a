import os
import pathlib
import subprocess
import sys

import numpy as np
import pandas as pd
import pytest

import kalvetra as kv

CLI = os.environ.get("KALVETRA_CLI", "kalvetra-cli")
ROOT = pathlib.Path(__file__).resolve().parents[2]


def cli(*args):
    out = subprocess.run([CLI, *map(str, args)], capture_output=True, text=True, check=True)
    return np.array([float(x) for x in out.stdout.split()])


# (function, typ, values, cold, keyword arguments, kalvetra-cli arguments)
AGAINST_CLI = [
    ("emf", "K", [-270, -100.5, 0, 100, 1372], None, {}, ["emf", "K"]),
    ("emf", "j", [-210, 25, 760.5, 1200], 25.0, {}, ["emf", "j", "--cold", 25]),
    ("emf", "S", [32, 1000, 3214], 77.0, {"unit": "F", "emf_unit": "uV"},
     ["emf", "S", "--cold", 77, "--unit", "F", "--emf-unit", "uV"]),
    ("temperature", "K", [-5.891, 0, 4.096, 54.0], None, {}, ["temp", "K"]),
    ("temperature", "T", [-5.0, 1.5, 19.0], 300.0, {"unit": "K"}, ["temp", "T", "--cold", 300, "--unit", "K"]),
    ("temperature", "B", [0.5, 13.0], None, {"exact": True}, ["temp", "B", "--exact"]),
    ("temperature", "N", [-3000, 40000], 20.0, {"emf_unit": "uV", "exact": True},
     ["temp", "N", "--cold", 20, "--emf-unit", "uV", "--exact"]),
    ("seebeck", "E", [-200, 0, 999.5], None, {"unit": "F"}, ["seebeck", "E", "--unit", "F"]),
]


@pytest.mark.parametrize("func,typ,values,cold,kw,args", AGAINST_CLI)
def test_values_as_kalvetra_cli(func, typ, values, cold, kw, args):
    f = getattr(kv, func)
    got = f(typ, values, **kw) if cold is None else f(typ, values, cold, **kw)
    want = cli(*args, "--digits", 9, *[f" {v}" if str(v).startswith("-") else v for v in values])
    np.testing.assert_allclose(got, want, rtol=0, atol=6e-10)


def test_tolerance_as_kalvetra_cli_with_na_as_nan():
    t = [-250, -40, 100, 500, 1300]
    want = np.array([[np.nan if x == "N/A" else float(x) for x in line.split("\t")]
                     for line in subprocess.run([CLI, "tolerance", "K", "--", *map(str, t)],
                                                capture_output=True, text=True, check=True).stdout.split("\n")[:-1]])
    for cls in (1, 2, 3):
        np.testing.assert_allclose(kv.tolerance("K", t, cls), want[:, cls - 1], atol=0.051)
        for errors in ("raise", "nan"):
            assert np.array_equal(np.isnan(kv.tolerance("K", t, cls, errors=errors)), np.isnan(want[:, cls - 1]))


def test_shapes_broadcasting_and_scalars():
    e = np.linspace(0, 20, 12).reshape(3, 4)
    cold = np.array([[10.0], [20.0], [30.0]])
    r = kv.temperature("K", e, cold)
    assert r.shape == (3, 4) and r.dtype == np.float64
    for i in range(3):
        for j in range(4):
            assert r[i, j] == kv.temperature("K", e[i, j], cold[i, 0])
    assert type(kv.emf("K", 100)) is float and type(kv.emf("K", np.float32(100))) is float
    assert kv.emf("K", []).shape == (0,)
    assert kv.emf("K", [[100.0]], cold=[0.0, 10.0]).shape == (1, 2)
    with pytest.raises(ValueError, match="broadcast"):
        kv.emf("K", [1.0, 2.0, 3.0], cold=[1.0, 2.0])


def test_dtypes_views_and_large_arrays_match_float64():
    base = np.linspace(-200, 1300, 200_001)  # above the two-thread threshold
    want = kv.emf("K", base)
    assert np.array_equal(kv.emf("K", base[::-1])[::-1], want)
    assert np.array_equal(kv.emf("K", base.astype(">f8")), want)
    grid = base[:200_000].reshape(400, 500)
    assert np.array_equal(kv.emf("K", grid.T), want[:200_000].reshape(400, 500).T)
    assert np.array_equal(kv.emf("K", grid[:, ::3]), want[:200_000].reshape(400, 500)[:, ::3])
    ints = np.arange(-200, 1300, 7)
    for dt in (np.int16, np.int32, np.uint16, np.float32, np.float64):
        x = ints[ints >= 0] if dt is np.uint16 else ints
        assert np.array_equal(kv.emf("K", x.astype(dt)), kv.emf("K", x.astype(np.float64)))
    s = pd.Series([0.0, 4.096, np.nan])
    assert np.array_equal(kv.temperature("K", s, errors="nan"), kv.temperature("K", s.to_numpy(), errors="nan"),
                          equal_nan=True)
    with pytest.raises(TypeError):
        kv.emf("K", ["100"])
    with pytest.raises(TypeError):
        kv.emf("K", np.array([1 + 2j]))


@pytest.mark.parametrize("call,message", [
    (lambda: kv.temperature("K", [1.0, 2.0, 80.0, 90.0]),
     r"^kalvetra\.temperature: element 2: e = 80\.0: EMF \(cold-junction compensated\) out of range of type K "
     r"\(-5\.891 to 54\.886 mV\)$"),
    (lambda: kv.emf("K", [[0.0, 10.0], [2000.0, 5.0]]),
     r"element \(1, 0\): t = 2000\.0: temperature out of range of type K \(-270\.00 to 1372\.00 °C\)$"),
    (lambda: kv.emf("K", [0.0, 1.0], cold=[0.0, 5000.0]), r"element 1: cold = 5000\.0: cold-junction temperature out"),
    (lambda: kv.temperature("K", [1.0, np.nan]), r"element 1: e = nan: NaN is not a measured value$"),
    (lambda: kv.seebeck("R", -np.inf), r"t = -inf: infinite value$"),
    (lambda: kv.tolerance("K", [100.0, -300.0], 1), r"element 1: t = -300\.0: temperature out of range"),
    (lambda: kv.temperature("K", pd.Series([1.0, pd.NA], dtype="Float64")), r"element 1: e = nan: NaN is not"),
    (lambda: kv.emf("K", pd.NA), r"t = nan: NaN is not"),
])
def test_raise_names_the_first_refused_element_in_english(call, message):
    with pytest.raises(ValueError, match=message) as e:
        call()
    assert not set(str(e.value)) & set("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ„”")


def test_nan_mode_converts_the_rest():
    e = np.array([1.0, 80.0, np.nan, 2.0, -np.inf])
    r = kv.temperature("K", e, cold=[20, 20, 20, 9999, 20], errors="nan")
    assert np.array_equal(np.isnan(r), [False, True, True, True, True])
    assert r[0] == kv.temperature("K", 1.0, cold=20)


def test_units_agree_with_each_other():
    t_c = np.array([-100.0, 0.0, 250.0])
    for unit, t in (("F", t_c * 1.8 + 32), ("K", t_c + 273.15)):
        np.testing.assert_allclose(kv.emf("N", t, unit=unit), kv.emf("N", t_c), atol=1e-12)
        np.testing.assert_allclose(kv.temperature("N", kv.emf("N", t_c), unit=unit), t, atol=0.05)
        np.testing.assert_allclose(kv.seebeck("N", t, unit=unit) * (1.8 if unit == "F" else 1), kv.seebeck("N", t_c))
    assert kv.emf("J", 100, emf_unit="uV") == pytest.approx(1000 * kv.emf("J", 100), rel=1e-15)
    # No cold junction means the ice point of the unit.
    assert kv.emf("K", 212, unit="F") == kv.emf("K", 212, 32, unit="F")


@pytest.mark.parametrize("call", [
    lambda: kv.emf("X", 1), lambda: kv.emf("KK", 1), lambda: kv.emf(1, 1),
    lambda: kv.emf("K", 1, unit="R"), lambda: kv.emf("K", 1, emf_unit="V"),
    lambda: kv.emf("K", 1, errors="ignore"), lambda: kv.tolerance("K", 1, 4),
    lambda: kv.tolerance("K", 1, "1"), lambda: kv.tolerance("K", 1, True),
])
def test_invalid_arguments(call):
    with pytest.raises(ValueError):
        call()


def test_dask_on_two_workers_equals_one_process(tmp_path):
    sys.path.insert(0, str(ROOT / "examples"))
    import dask_konwersja
    from dask.distributed import Client, LocalCluster

    rng = np.random.default_rng(5)
    frames = []
    for i in range(3):
        df = pd.DataFrame({"time": np.arange(50) + 50 * i, "emf_mV": rng.uniform(-7, 60, 50),
                           "cold_C": rng.uniform(-10, 40, 50)})
        df.loc[3, "emf_mV"] = np.nan
        df.to_csv(tmp_path / f"log{i}.csv", index=False)
        frames.append(df)
    with LocalCluster(n_workers=2, threads_per_worker=1, processes=True, host="127.0.0.1",
                      dashboard_address=None) as cluster, Client(cluster) as client:
        files = dask_konwersja.run(tmp_path, tmp_path / "out", "K", client)
    got = pd.concat(pd.read_csv(f) for f in sorted(files))
    want = pd.concat(frames)
    want["temperature_C"] = kv.temperature("K", want.emf_mV, want.cold_C, errors="nan")
    assert got.temperature_C.isna().sum() > 3  # refused rows kept, as NaN
    pd.testing.assert_frame_equal(got.reset_index(drop=True), want.reset_index(drop=True), check_exact=False,
                                  rtol=1e-15)


# (call, expected result): what pandas and numpy's masked arrays get back.
CONTAINERS = [
    (lambda: kv.emf("K", pd.Series([0.0, 100.0], index=[7, 3], name="t_C")),
     pd.Series([kv.emf("K", 0.0), kv.emf("K", 100.0)], index=[7, 3], name="t_C")),
    (lambda: kv.temperature("K", 4.096, cold=pd.Series([20.0], index=["a"], name="cold")),
     pd.Series([kv.temperature("K", 4.096, 20.0)], index=["a"], name="cold")),
    (lambda: kv.emf("K", pd.Series([100, None, 200], dtype="Int64", name="n"), errors="nan"),
     pd.Series([kv.emf("K", 100.0), np.nan, kv.emf("K", 200.0)], name="n")),
    (lambda: kv.seebeck("K", pd.array([0.0, 100.0], dtype="Float64")), kv.seebeck("K", [0.0, 100.0])),
    # Masked elements stay masked and are never checked: 5000 raises nothing.
    (lambda: kv.emf("K", np.ma.array([100.0, 5000.0, 200.0], mask=[0, 1, 0])),
     np.ma.array([kv.emf("K", 100.0), 0.0, kv.emf("K", 200.0)], mask=[0, 1, 0])),
    (lambda: kv.temperature("K", [1.0, 2.0], cold=np.ma.array([np.nan, 20.0], mask=[1, 0])),
     np.ma.array([0.0, kv.temperature("K", 2.0, 20.0)], mask=[1, 0])),
    (lambda: kv.tolerance("K", np.ma.array([[-999.0], [500.0]], mask=[[1], [0]]), np.int64(2)),
     np.ma.array([[0.0], [kv.tolerance("K", 500.0, 2)]], mask=[[1], [0]])),
]


@pytest.mark.parametrize("call,want", CONTAINERS)
def test_series_and_masked_arrays_keep_their_shape(call, want):
    got = call()
    assert type(got) is type(want)
    if isinstance(want, pd.Series):
        pd.testing.assert_series_equal(got, want, check_exact=True)
    elif isinstance(want, np.ma.MaskedArray):
        assert np.array_equal(got.mask, want.mask)
        assert np.array_equal(got.compressed(), want.compressed())
    else:
        assert np.array_equal(got, want)


@pytest.mark.parametrize("call,error", [
    (lambda: kv.temperature("K", 1.0, exact=None), TypeError),
    (lambda: kv.temperature("K", 1.0, exact=1), TypeError),
    (lambda: kv.tolerance("K", 1, 2.0), ValueError),
    (lambda: kv.tolerance("K", 1, np.bool_(True)), ValueError),
    (lambda: kv.emf("K", 1, emf_unit="nV"), ValueError),
])
def test_options_of_the_wrong_kind_are_refused(call, error):
    with pytest.raises(error):
        call()


def test_integral_classes_bools_and_both_micro_signs_are_taken():
    want = kv.tolerance("K", 500.0, 2)
    for cls in (np.int8(2), np.uint64(2), np.int64(2)):
        assert kv.tolerance("K", 500.0, cls) == want
    exact = kv.temperature("K", 4.096, exact=True)
    assert kv.temperature("K", 4.096, exact=np.bool_(True)) == exact
    micro = kv.emf("K", 100.0, emf_unit="uV")
    for unit in ("\u00b5V", "\u03bcV"):  # the micro sign and the Greek mu
        assert kv.emf("K", 100.0, emf_unit=unit) == micro
        assert cli("emf", "K", 100, "--emf-unit", unit)[0] == cli("emf", "K", 100, "--emf-unit", "uV")[0]


def test_functions_pickle_by_reference_and_have_signatures():
    import inspect
    import pickle

    assert kv.__version__.count(".") == 2
    for f in (kv.emf, kv.temperature, kv.seebeck, kv.tolerance):
        assert pickle.loads(pickle.dumps(f)) is f
    params = inspect.signature(kv.temperature).parameters
    assert list(params) == ["typ", "e", "cold", "unit", "emf_unit", "exact", "errors"]
    assert params["exact"].default is False and params["unit"].kind is inspect.Parameter.KEYWORD_ONLY


def test_dask_takes_the_functions_themselves():
    import dask.dataframe as dd
    from dask.distributed import Client, LocalCluster

    df = pd.DataFrame({"emf_mV": [0.0, 4.096, 80.0, 20.0], "cold_C": [20.0, 21.0, 22.0, 23.0]})
    want = kv.temperature("K", df.emf_mV, df.cold_C, errors="nan")
    ddf = dd.from_pandas(df, npartitions=2)
    with LocalCluster(n_workers=1, threads_per_worker=1, processes=True, host="127.0.0.1",
                      dashboard_address=None) as cluster, Client(cluster) as client:
        # The partitions take the collections' places among the arguments.
        got = dd.map_partitions(kv.temperature, "K", ddf.emf_mV, ddf.cold_C, errors="nan",
                                meta=("emf_mV", "f8")).compute()
        submitted = client.submit(kv.temperature, "K", 4.096, cold=20.0).result()
    pd.testing.assert_series_equal(got, want)
    assert submitted == kv.temperature("K", 4.096, 20.0)


def test_shared_cases_of_types_c_and_a():
    rows = [line.split("\t") for line in (ROOT / "tests" / "przypadki_typow.tsv").read_text().splitlines()
            if line and not line.startswith("#")]
    assert len(rows) == 14
    for command, typ, value, cold, *want in rows:
        x = float(value)
        if command == "tolerance":
            got = ["N/A" if np.isnan(kv.tolerance(typ, x, c)) else f"{kv.tolerance(typ, x, c):.1f}" for c in (1, 2, 3)]
        elif command == "emf":
            got = [f"{kv.emf(typ, x, float(cold)):.4f}"]
        else:
            got = [f"{kv.temperature(typ, x, float(cold)):.2f}"]
        assert got == want, (command, typ, value, cold)


def test_tolerance_astm_as_kalvetra_cli():
    t = [-100, 550, 1100]
    out = subprocess.run([CLI, "tolerance", "K", "--standard", "astm", "--", *map(str, t)],
                         capture_output=True, text=True, check=True).stdout.split("\n")[:-1]
    want = np.array([[np.nan if x == "N/A" else float(x) for x in line.split("\t")] for line in out])
    for i, cls in enumerate(("standard", "special")):
        got = kv.tolerance("K", t, cls, standard="astm", errors="nan")
        np.testing.assert_allclose(got, want[:, i], atol=0.051)
    for call in (lambda: kv.tolerance("K", 1, 1, standard="astm"),
                 lambda: kv.tolerance("K", 1, "standard"),
                 lambda: kv.tolerance("K", 1, "standard", standard="nist")):
        with pytest.raises(ValueError):
            call()
    assert kv.TYPES == ("J", "K", "T", "E", "N", "B", "R", "S", "C", "A")
