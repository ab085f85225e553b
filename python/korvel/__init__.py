"""KORVEL's stiffened-panel checks from Python.

The calculation is KORVEL's own C++ core, compiled into the extension ``korvel._korvel``:
the same cases, messages and numbers as korvel-batch and korvel-study.

    import korvel
    cases = korvel.read_kori("cases.kori")          # a DataFrame, one row per case
    results = korvel.assess_frame(cases)            # the results table's columns added
    a = korvel.assess(korvel.Case(t=14, stiffener="LW 250x90x10x15"))
    a.UFpb, a.verdict, a.governing, a.detail["sigmaE"]

The tables are those korvel-batch finds beside itself (or in ../share/korvel);
``korvel.set_data_folder(path)`` reads them from another folder, as ``--data`` does.
"""

import os as _os

from . import _korvel
from ._korvel import (
    Assessment,
    Case,
    InputError,
    TableError,
    __version__,
    assess,
    checks,
    data_folder,
    field_kinds,
    field_names,
    format_number,
    limit,
    new_case,
    read_cases,
    reserve,
    rule_names,
    set_data_folder,
    study_fields,
)
from ._program_folder import PROGRAM_FOLDER as _PROGRAM_FOLDER

try:
    from .frames import assess_frame, capacity, envelope, lightest, read_kori, sweep, write_kori
except ImportError as _missing:  # the frames need pandas and numpy; the rest of korvel does not
    _why = str(_missing)

    def _needs_pandas(*args, **kwargs):
        raise ImportError("korvel's frame functions need pandas and numpy: " + _why)

    assess_frame = capacity = envelope = lightest = read_kori = sweep = write_kori = _needs_pandas

_korvel._set_program_folder(_os.path.normpath(_os.path.join(_os.path.dirname(__file__), _PROGRAM_FOLDER)))

__all__ = [
    "Assessment",
    "Case",
    "InputError",
    "TableError",
    "assess",
    "assess_frame",
    "capacity",
    "checks",
    "data_folder",
    "envelope",
    "field_kinds",
    "field_names",
    "format_number",
    "lightest",
    "limit",
    "new_case",
    "read_cases",
    "read_kori",
    "reserve",
    "rule_names",
    "set_data_folder",
    "study_fields",
    "sweep",
    "write_kori",
]
