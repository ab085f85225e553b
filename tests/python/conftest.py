"""Shared fixtures: the programs the module is held against and the reference set they run."""

import json
import os
import subprocess
from pathlib import Path

import pytest

import korvel

DATA = Path(os.environ.get("KORVEL_TEST_DATA", Path(__file__).resolve().parents[1] / "data"))
REFERENCE = DATA / "reference"
CASES = REFERENCE / "cases.kori"
TABLES = REFERENCE / "tables"


def run(program, *args):
    """A program's standard output as written (CR LF kept); its standard error goes into the
    failure message."""
    done = subprocess.run([os.environ[program], *map(str, args)], capture_output=True, check=False)
    assert done.returncode == 0, done.stderr.decode()
    return done.stdout.decode("utf-8")


@pytest.fixture(autouse=True)
def reference_tables():
    """Every test reads the reference tables, as korvel-batch --data does."""
    korvel.set_data_folder(str(TABLES))
    yield
    korvel.set_data_folder("")


@pytest.fixture(scope="session")
def reference_json():
    """korvel-batch --format json of the reference cases: the case objects in file order."""
    korvel.set_data_folder(str(TABLES))
    text = run("KORVEL_BATCH", "--format", "json", CASES, "--data", TABLES, "-o", "-")
    return [o for o in map(json.loads, text.splitlines()) if o.get("kind") == "case"]


@pytest.fixture(scope="session")
def reference_table():
    """The expected results table of the reference cases: header cells and each case's cells."""
    lines = (REFERENCE / "expected.koro").read_bytes().decode("utf-8").split("\r\n")
    header = lines[0].split("\t")
    rows = [line.split("\t") for line in lines[1:] if line and not line.startswith("%")]
    return header, rows
