"""Cases, the batch file both ways, and the errors korvel-batch gives for the same input."""

import copy
import os
import pickle
import subprocess

import numpy as np
import pandas as pd
import pytest

import korvel
from conftest import CASES, TABLES, run


def test_every_field_of_a_batch_line_is_an_attribute():
    names = korvel.field_names()
    assert names[:3] == ["project", "identification", "condition"]
    assert "stiffener dimensions" not in names and {"stiffener", "girder", "t", "SigxA", "FS"} <= set(names)
    case = korvel.new_case()
    for name in names:
        getattr(case, name)


def test_read_kori_holds_the_cases_as_read_cases_does():
    frame = korvel.read_kori(CASES)
    cases = korvel.read_cases(str(CASES))
    assert list(frame.columns) == ["line"] + korvel.field_names()
    assert len(frame) == len(cases)
    for case, (_, row) in zip(cases, frame.iterrows()):
        assert row["line"] == case.line
        for name in korvel.field_names():
            assert row[name] == getattr(case, name), (case.line, name)
    assert frame["t"].dtype == np.float64 and frame["condition"].dtype == np.int64


def test_a_case_written_back_is_the_case_read(tmp_path):
    """write_kori of the cases read gives the results table of the original, case for case."""
    written = tmp_path / "again.kori"
    korvel.write_kori(written, korvel.read_kori(CASES))
    assert korvel.read_cases(str(written)) == korvel.read_cases(str(CASES))
    again = run("KORVEL_BATCH", written, "--data", TABLES, "-o", "-", "--no-header").split("\r\n")
    original = run("KORVEL_BATCH", CASES, "--data", TABLES, "-o", "-", "--no-header").split("\r\n")
    assert again == [line for line in original if not line.startswith("%")]


def test_a_case_keeps_what_it_is_given():
    case = korvel.Case(t=14, stiffener="LW 250x90x10x15", girder="TG 900x250x12x25", condition=1, project="P7")
    assert (case.t, case.stiffener, case.girder, case.condition, case.project) == (
        14.0,
        "LW 250x90x10x15",
        "TG 900x250x12x25",
        1,
        "P7",
    )
    case.SigxA = -123.25
    assert case.SigxA == -123.25
    assert case.replace(t=16).t == 16 and case.t == 14
    assert repr(korvel.Case(t=14, project="P7")) == "korvel.Case(project='P7', t=14.0)"
    assert repr(korvel.new_case()) == "korvel.Case()"
    assert pickle.loads(pickle.dumps(case)) == case and copy.deepcopy(case) == case


def test_a_case_holds_a_value_as_its_field_does():
    """FS is single precision in the case: 1.1 is held as the float nearest it, as the batch run
    holds it, and written back in its shortest form."""
    case = korvel.Case(FS=1.1, t=1 / 3)
    assert case.fields()[3] == "1.1" and case.t == 1 / 3


def cli_error(tmp_path, line):
    path = tmp_path / "bad.kori"
    path.write_text(line + "\r\nEnd\r\n")
    done = subprocess.run(
        [os.environ["KORVEL_BATCH"], str(path), "--data", str(TABLES), "-o", "-"], capture_output=True, text=True
    )
    assert done.returncode == 1
    return path, done.stderr.strip()


@pytest.mark.parametrize(
    "field, text, attribute",
    [
        (2, "7", "condition"),
        (10, "-1", "structure"),
        (13, "QQ", "stiffener"),
        (14, "200x90", "stiffener"),
        (16, "800x200x10", "girder"),
        (22, "1e99", "t"),
    ],
)
def test_errors_carry_the_command_lines_message(tmp_path, field, text, attribute):
    fields = korvel.new_case().fields()
    fields[field] = text
    path, message = cli_error(tmp_path, "\t".join(fields))
    with pytest.raises(korvel.InputError) as raised:
        korvel.read_cases(str(path))
    assert str(raised.value) == message
    assert raised.value.field == attribute
    # The same fault in a case made in Python: the problem without the file's name and line.
    if attribute in ("stiffener", "girder"):
        token = 13 if attribute == "stiffener" else 15
        value = fields[token] + " " + fields[token + 1]
    else:
        value = int(text) if attribute in ("condition", "structure") else float(text)
    with pytest.raises(korvel.InputError) as made:
        korvel.Case(**{attribute: value})
    assert made.value.field == attribute
    problem = message.split(": ", 1)[1]
    assert str(made.value) == problem or (attribute == "t" and str(made.value).startswith("field 22 (t) is too large"))


def test_a_refused_change_leaves_the_case_as_it_was():
    case = korvel.Case(condition=1)
    with pytest.raises(korvel.InputError, match="outside 0 to 2"):
        case.condition = 3
    assert case.condition == 1


@pytest.mark.parametrize(
    "fields, error",
    [
        ({"t": "thick"}, TypeError),
        ({"t": True}, TypeError),
        ({"stiffener": 200}, TypeError),
        ({"thickness": 20}, AttributeError),
        ({"project": "End"}, korvel.InputError),
        ({"project": "%P7"}, korvel.InputError),
    ],
)
def test_a_value_of_the_wrong_kind_is_refused(fields, error):
    with pytest.raises(error):
        korvel.Case(**fields)


def test_a_missing_file_and_missing_tables_are_python_errors(tmp_path):
    with pytest.raises(FileNotFoundError):
        korvel.read_cases(str(tmp_path / "none.kori"))
    korvel.set_data_folder(str(tmp_path))
    with pytest.raises(korvel.TableError, match="KORmat.dat|bfprof.dat"):
        korvel.new_case()


def test_help_of_assess_explains_it():
    assert "korvel-batch" in korvel.assess.__doc__ and "InputError" in korvel.assess.__doc__
    assert "NaN" in korvel.Assessment.__doc__


def test_a_frame_written_takes_the_new_file_values_where_it_has_no_column(tmp_path):
    path = tmp_path / "two.kori"
    korvel.write_kori(path, pd.DataFrame({"t": [12.5, 18.0], "girder": ["LG 700x200x10x18", "TG 900x250x12x20"]}))
    read = korvel.read_cases(str(path))
    assert read == [korvel.Case(t=12.5, girder="LG 700x200x10x18"), korvel.Case(t=18.0, girder="TG 900x250x12x20")]
    assert run("KORVEL_BATCH", path, "--data", TABLES, "-o", "-", "--no-header").count("\r\n") == 2
