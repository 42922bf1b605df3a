#!/usr/bin/python3
"""Converts a folder of logged CSV files (columns emf_mV and cold_C) to
temperatures with Dask, one partition per file.

    examples/dask_konwersja.py IN_DIR OUT_DIR [--type K] [--scheduler tcp://host:8786]

Without --scheduler it starts a LocalCluster of two worker processes on this
machine; with it, the same code runs on that cluster (the workers need
kalvetra installed and both folders on a shared file system). Refused rows
(out of range, NaN) get an empty temperature_C and stay in the output.
"""
import argparse
import pathlib

import dask.dataframe as dd
from dask.distributed import Client, LocalCluster


def convert(part, typ):
    import kalvetra as kv  # on the worker

    return part.assign(temperature_C=kv.temperature(
        typ, part["emf_mV"].to_numpy(), cold=part["cold_C"].to_numpy(), errors="nan"))


def run(in_dir, out_dir, typ="K", client=None):
    """Writes OUT_DIR/part-*.csv; returns their paths."""
    df = dd.read_csv(str(pathlib.Path(in_dir) / "*.csv"), dtype={"emf_mV": "float64", "cold_C": "float64"})
    meta = df._meta.assign(temperature_C=0.0)
    out = df.map_partitions(convert, typ, meta=meta)
    pathlib.Path(out_dir).mkdir(parents=True, exist_ok=True)
    return out.to_csv(str(pathlib.Path(out_dir) / "part-*.csv"), index=False, compute=True)


def main():
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("in_dir")
    p.add_argument("out_dir")
    p.add_argument("--type", default="K")
    p.add_argument("--scheduler", help="address of a running Dask scheduler")
    a = p.parse_args()
    if a.scheduler:
        with Client(a.scheduler) as client:
            run(a.in_dir, a.out_dir, a.type, client)
    else:
        with LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                          host="127.0.0.1", dashboard_address=None) as cluster, Client(cluster) as client:
            run(a.in_dir, a.out_dir, a.type, client)


if __name__ == "__main__":
    main()
