"""korvel.assess and korvel.assess_frame against korvel-batch on the reference cases: the JSON to
1e-12, the results table to its rounding."""

import math
import sys
import threading

import numpy as np
import pandas as pd
import pytest

import korvel
from conftest import CASES

CHECKS = korvel.checks()
SINGLE = {"UFgbu"}  # computed in single precision: the table writes it as a float


def close(a, b):
    """Equal to 1e-12; or, for a quantity held in single precision, which the JSON writes in the
    shortest text of its float, the same float."""
    return abs(a - b) <= 1e-12 * max(1.0, abs(b)) or np.float32(a) == np.float32(b)


def test_assess_equals_the_json_of_every_reference_case(reference_json):
    cases = korvel.read_cases(str(CASES))
    assert len(cases) == len(reference_json)
    for case, expected in zip(cases, reference_json):
        a = korvel.assess(case)
        where = f"line {case.line}"
        assert case.line == expected["line"], where
        for u in expected["utilisations"]:
            value = getattr(a, u["check"])
            assert a.states[u["check"]] == u["state"], where
            if u["value"] is None:
                assert math.isnan(value), where
            else:
                assert close(value, u["value"]), (where, u["check"], value, u["value"])
        assert a.verdict == expected["verdict"], where
        assert a.failed == expected["failed"], where
        stopped = expected["stopped"]
        assert a.stopped_in == (stopped["step"] if stopped else None), where
        assert a.stop_reason == (stopped["reason"] if stopped else None), where
        for rule in expected["rules"]:
            mine = a.rules[rule["rule"]]
            assert mine["result"] == rule["result"], where
            if rule["value"] is not None:
                assert close(mine["value"], rule["value"]), where
        highest = expected["highest"]
        assert a.highest_check == (highest["check"] if highest else None), where
        assert set(a.detail) == set(expected["detail"]), where
        for name, value in expected["detail"].items():
            mine = a.detail[name]
            if isinstance(value, (int, float)) and not isinstance(value, bool):
                assert close(float(mine), float(value)), (where, name, mine, value)
            elif value is None:
                assert not math.isfinite(mine), (where, name)
            else:
                assert mine == value, (where, name)


def table_cell(value, check):
    return korvel.format_number(value, check["mask"], check["symbol"] in SINGLE)


def test_assess_rounds_to_the_results_table(reference_table):
    header, rows = reference_table
    cases = korvel.read_cases(str(CASES))
    assert len(cases) == len(rows)
    for case, row in zip(cases, rows):
        a = korvel.assess(case)
        for check in CHECKS:
            cell = row[header.index(check["heading"])]
            state = a.states[check["symbol"]]
            if state == "notApplicable":
                assert cell == "N/A", (case.line, check["symbol"])
            elif state == "notComputed":
                assert float(cell) < 0, (case.line, check["symbol"])  # the not-computed marker
            else:
                assert table_cell(getattr(a, check["symbol"]), check) == cell, (case.line, check["symbol"])


def test_assess_frame_equals_the_results_table(reference_table):
    header, rows = reference_table
    frame = korvel.assess_frame(korvel.read_kori(CASES))
    assert len(frame) == len(rows)
    assert frame["error"].isna().all()
    for (_, got), row in zip(frame.iterrows(), rows):
        assert got["project"] == row[0] and got["identification"] == row[1]
        assert korvel.format_number(got["C-factor"], "0.00") == row[header.index("C-factor:")]
        for check in CHECKS:
            cell = row[header.index(check["heading"])]
            value = got[check["heading"]]
            if math.isnan(value):
                assert cell == "N/A" or float(cell) < 0, (got["line"], check["heading"], cell)
            else:
                assert table_cell(value, check) == cell, (got["line"], check["heading"])


def test_assess_frame_agrees_with_assess_row_by_row():
    frame = korvel.read_kori(CASES).iloc[::7]
    results = korvel.assess_frame(frame, threads=3)
    assert list(results.index) == list(frame.index)
    for case, (_, row) in zip(korvel.read_cases(str(CASES))[::7], results.iterrows()):
        a = korvel.assess(case)
        assert row["verdict"] == a.verdict
        assert row["governing"] == a.governing
        for check in CHECKS:
            mine, theirs = row[check["heading"]], getattr(a, check["symbol"])
            assert (math.isnan(mine) and math.isnan(theirs)) or mine == theirs


@pytest.mark.parametrize(
    "column, value, message",
    [
        ("condition", 5, "field 2 (loading condition) 5 is outside 0 to 2"),
        ("stiffener", "XX 200x10", 'field 13: unknown stiffener profile "XX" (known: '),
        ("stiffener", "LW 200x90", "field 14: LW takes 4 dimensions joined by a lower-case x"),
        ("t", None, "t: no value"),
        ("t", float("nan"), "t: no value"),
    ],
)
def test_a_bad_row_gives_its_error_and_the_others_their_results(column, value, message):
    frame = korvel.read_kori(CASES).head(4).astype({column: object})
    frame.loc[frame.index[1], column] = value
    results = korvel.assess_frame(frame)
    assert results["error"].iloc[1].startswith(message)
    assert math.isnan(results["UFpb"].iloc[1]) and results["verdict"].iloc[1] is None
    assert results["error"].drop(results.index[1]).isna().all()
    assert results["verdict"].drop(results.index[1]).notna().all()


def test_missing_columns_take_the_new_file_values():
    frame = pd.DataFrame({"t": [12.0, 16.0], "stiffener": ["LW 250x90x10x15", "FB 200x12"]})
    results = korvel.assess_frame(frame)
    for (_, row), t, stiffener in zip(results.iterrows(), [12.0, 16.0], ["LW 250x90x10x15", "FB 200x12"]):
        a = korvel.assess(korvel.Case(t=t, stiffener=stiffener))
        assert row["verdict"] == a.verdict
        assert row["UFpb"] == a.UFpb


def test_the_interpreter_runs_on_during_assess_frame():
    """A Python thread counts while the frame is calculated: the extension lets go of the GIL.
    With a long switch interval the main thread only gives the GIL up where the extension
    releases it, so the count moves during the call only if it does."""
    frame = pd.concat([korvel.read_kori(CASES)] * 10, ignore_index=True)
    columns = korvel.frames._columns(frame)
    count = 0
    running = True

    def counter():
        nonlocal count
        while running:
            count += 1

    interval = sys.getswitchinterval()
    sys.setswitchinterval(0.5)
    thread = threading.Thread(target=counter)
    try:
        thread.start()
        before = count
        korvel._korvel._assess_columns(columns, len(frame), 2)
        during = count - before
    finally:
        running = False
        sys.setswitchinterval(interval)
        thread.join()
    assert during > 0


def test_assess_frame_keeps_a_frames_own_index_and_columns():
    frame = korvel.read_kori(CASES).head(3)
    frame.index = ["a", "b", "c"]
    frame["note"] = ["x", "y", "z"]
    results = korvel.assess_frame(frame)
    assert list(results.index) == ["a", "b", "c"]
    assert list(results["note"]) == ["x", "y", "z"]
    assert results["error"].isna().all()
