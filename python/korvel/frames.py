"""The pandas side of korvel: cases as DataFrames, one row per case and one column per field of a
batch line, and the studies' tables as DataFrames. The calculation itself runs in the extension,
on all cores with the interpreter released."""

import io
import math

import numpy as np
import pandas as pd

from . import _korvel


def read_kori(path):
    """The cases of a batch input file (.kori) as a DataFrame, one row per case in file order.

    Columns: ``line`` (the case's line in the file), then every field named as a batch line's
    symbol (``project``, ``identification``, ``condition``, ``FS``, ..., ``ps``); ``stiffener`` and
    ``girder`` hold the token and dimensions as a batch line names them ("LW 250x90x10x15").
    A fault of the file raises InputError with korvel-batch's message.
    """
    return pd.DataFrame(_korvel._case_columns(_korvel.read_cases(path)))


def _frame_cases(frame):
    """The frame's rows as cases; a row that korvel-batch would refuse raises InputError."""
    names = [n for n in _korvel.field_names() if n in frame.columns]
    cases = []
    for values in frame[names].itertuples(index=False, name=None):
        fields = {}
        for name, value in zip(names, values):
            if isinstance(value, np.generic):
                value = value.item()
            if isinstance(value, float) and math.isnan(value):
                continue
            fields[name] = value
        cases.append(_korvel.Case(**fields))
    return cases


def write_kori(path, cases):
    """Writes cases as a batch input file that korvel-batch runs: a list of Case, or a DataFrame
    with field columns (a missing column takes the new-file value)."""
    if isinstance(cases, pd.DataFrame):
        cases = _frame_cases(cases)
    _korvel._write_cases(str(path), list(cases))


def _columns(frame):
    """The frame's field columns for the extension: numbers as float64 arrays, any other column
    as a list of its cells. A column the frame lacks is left out: the row keeps the new-file
    value there."""
    kinds = _korvel.field_kinds()
    columns = {}
    for name, kind in kinds.items():
        if name not in frame.columns:
            continue
        column = frame[name]
        if kind in ("number", "code") and pd.api.types.is_numeric_dtype(column) and not pd.api.types.is_bool_dtype(
            column
        ):
            columns[name] = column.to_numpy(dtype="float64", na_value=np.nan)
        else:
            columns[name] = column.astype(object).where(column.notna(), None).tolist()
    return columns


def assess_frame(frame, threads=None):
    """Calculates every row of a frame of cases as korvel-batch does, on all cores.

    Returns a copy of the frame with the results table's columns added: ``C-factor``, each
    utilisation under its results-table heading (``UFpb`` ... ``UFb`` ... ``UFys``; NaN where not
    computed or not applicable), ``verdict``, ``governing``, ``failed``, ``stopped_in``,
    ``stop_reason`` and ``error``. Rows keep their order. A missing field column takes the
    new-file value; a row korvel-batch would refuse gets its message in ``error`` and no
    results, the other rows are calculated all the same.
    """
    results = _korvel._assess_columns(_columns(frame), len(frame), threads)
    out = frame.copy()
    for name, values in results.items():
        out[name] = values if isinstance(values, np.ndarray) else pd.Series(values, index=frame.index, dtype=object)
    return out


def envelope(frame, threads=None):
    """The envelope of the panels of a frame of cases over their load cases, as
    ``korvel-batch --envelope`` writes it: one row per panel (project and the identification
    before its first "/"), the highest value of each check with the load case that gives it,
    the failed rules and the stopped load cases."""
    text = _korvel._envelope_text(_columns(frame), len(frame), threads)
    return pd.read_csv(io.StringIO(text.replace("\r\n", "\n")), sep="\t", keep_default_na=False, na_values=[""],
                       dtype={"project": str, "panel": str})


def lightest(case, top=1, families=None, girder=False, threads=None):
    """The lightest stiffeners (or with girder=True girders) that pass, as korvel-study lightest:
    one row per candidate, lightest first, ``Ax`` (``Ag``), ``kg/m`` and ``highest UF``
    unrounded. families: names such as "LW", "TG", "L-table" (girders: "LG", "TG")."""
    return pd.DataFrame(_korvel._lightest(case, top, families, girder, threads))


def sweep(case, field, start, stop, steps, threads=None):
    """Every utilisation of a case against one input stepped from start to stop in steps
    intervals (steps + 1 values), as korvel-study sweep: one row per value, the utilisations
    unrounded (NaN where not computed), the OK/NOK rules, ``stopped in`` and ``passes``."""
    return pd.DataFrame(_korvel._sweep(case, field, float(start), float(stop), int(steps), threads))


def capacity(case, x, y, rays=72, all_checks=False, threads=None):
    """The capacity curve of a case in the plane of two load groups (sigx, sigy, tau, p), as
    korvel-study capacity: one row per ray and the ray through the case's own loads ("own"),
    the loads and radius at the limit unrounded."""
    return pd.DataFrame(_korvel._capacity(case, x, y, int(rays), bool(all_checks), threads))
