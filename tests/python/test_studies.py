"""The studies against korvel-study on the same cases: every cell of its table, the numbers to the
digits it writes."""

import math
import re

import pytest

import korvel
from conftest import CASES, TABLES, run


@pytest.fixture(scope="module")
def few(tmp_path_factory):
    """Three reference cases in a file of their own, and the cases read back from it."""
    korvel.set_data_folder(str(TABLES))
    path = tmp_path_factory.mktemp("studies") / "few.kori"
    korvel.write_kori(path, korvel.read_cases(str(CASES))[:3])
    return path, korvel.read_cases(str(path))


def study_table(*args):
    """korvel-study's table: header cells, and the rows of each case line."""
    lines = run("KORVEL_STUDY", *args, "--data", TABLES, "-o", "-").split("\r\n")
    header = lines[0].split("\t")
    rows = {}
    for line in filter(None, lines[1:]):
        cells = line.split("\t")
        rows.setdefault(int(cells[0]), []).append(dict(zip(header, cells)))
    return header, rows


def same(mine, cell, where):
    """A value of the module against korvel-study's cell: numbers to the digits the cell holds."""
    if isinstance(mine, bool):
        assert cell == ("pass" if mine else "fail"), where
    elif isinstance(mine, float):
        if math.isnan(mine):
            assert cell in ("-", "N/A", ""), where
        elif math.isinf(mine):
            assert cell == "> 100", where
        else:
            decimals = re.fullmatch(r"-?\d*\.?(\d*)", cell)
            half = 0.5 * 10 ** -len(decimals.group(1)) if decimals else 0
            assert abs(float(cell) - mine) <= half + 1e-6 * abs(mine), (where, mine, cell)
    elif isinstance(mine, int):
        assert int(cell) == mine, where
    elif mine is None:
        assert cell == "", where
    else:
        assert cell == mine, where


def same_rows(frame_rows, cli_rows, where):
    assert len(frame_rows) == len(cli_rows), where
    for mine, theirs in zip(frame_rows, cli_rows):
        for column, value in mine.items():
            same(value, theirs[column], (where, column))


def test_reserve_equals_korvel_study(few):
    path, cases = few
    _, rows = study_table("reserve", path)
    for case in cases:
        same_rows([korvel.reserve(case)], rows[case.line], case.line)


@pytest.mark.parametrize("field, sought", [("t", "min"), ("Lgs", "max")])
def test_limit_equals_korvel_study(few, field, sought):
    path, cases = few
    _, rows = study_table("limit", field, path, "--" + sought)
    for case in cases:
        same_rows([korvel.limit(case, field, sought)], rows[case.line], case.line)


def test_lightest_equals_korvel_study(few):
    path, cases = few
    _, rows = study_table("lightest", path, "--top", "3", "--families", "LW,FB")
    for case in cases:
        frame = korvel.lightest(case, top=3, families=["LW", "FB"])
        same_rows(frame.to_dict("records"), rows[case.line], case.line)


def test_sweep_equals_korvel_study(few):
    path, cases = few
    header, rows = study_table("sweep", "Lgs", "2000", "9000", "14", path)
    for case in cases:
        frame = korvel.sweep(case, "Lgs", 2000, 9000, 14)
        assert list(frame.columns) == header[3:]
        assert len(frame) == 15
        same_rows(frame.to_dict("records"), rows[case.line], case.line)


def test_capacity_equals_korvel_study(few):
    path, cases = few
    _, rows = study_table("capacity", "sigx", "tau", path, "--rays", "12")
    for case in cases:
        frame = korvel.capacity(case, "sigx", "tau", rays=12)
        assert list(frame["ray"])[-1] == "own"
        same_rows(frame.to_dict("records"), rows[case.line], case.line)


def test_envelope_equals_korvel_batch(tmp_path):
    text = run("KORVEL_BATCH", CASES, "--data", TABLES, "-o", tmp_path / "out.koro", "--envelope", "-")
    lines = text.split("\r\n")
    header = lines[0].split("\t")
    expected = [dict(zip(header, line.split("\t"))) for line in lines[1:] if line]
    frame = korvel.envelope(korvel.read_kori(CASES))
    assert list(frame.columns) == header
    assert len(frame) == len(expected)
    for mine, theirs in zip(frame.to_dict("records"), expected):
        for column, value in mine.items():
            cell = theirs[column]
            if isinstance(value, float) and math.isnan(value):
                assert cell == "", column
            else:
                assert str(value) == cell or float(value) == float(cell), (column, value, cell)


@pytest.mark.parametrize(
    "call, message",
    [
        (lambda c: korvel.sweep(c, "q", 1, 2, 3), '"q" is not an input a study can vary; the inputs are t, s1'),
        (lambda c: korvel.sweep(c, "t", 2, 2, 3), "empty range 2 to 2: FROM and TO must differ"),
        (lambda c: korvel.capacity(c, "sigx", "q"), '"q" is not a load group; the groups are sigx, sigy, tau, p'),
        (lambda c: korvel.capacity(c, "tau", "tau"), "capacity needs two different load groups"),
        (lambda c: korvel.limit(c, "t", "min", range=(5, 1)), "empty range 5 to 1: A must be below B"),
        (lambda c: korvel.lightest(c, families=["ZZ"]), 'unknown family "ZZ"; the families are'),
    ],
)
def test_study_requests_korvel_study_refuses_are_refused_alike(call, message):
    with pytest.raises(korvel.InputError) as raised:
        call(korvel.new_case())
    assert str(raised.value).startswith(message)


def test_the_envelope_of_a_frame_with_a_bad_row_names_the_row():
    frame = korvel.read_kori(CASES).head(3)
    frame.loc[frame.index[2], "condition"] = 9
    with pytest.raises(korvel.InputError, match="^row 2: field 2 .* 9 is outside 0 to 2") as raised:
        korvel.envelope(frame)
    assert raised.value.field == "condition"
    assert len(korvel.assess_frame(frame.iloc[0:0])) == 0
