# Type stub of the korvel package: the compiled extension _korvel and the pandas helpers.
from os import PathLike
from typing import Any, Iterable, Literal, Optional, Sequence, Union

import pandas as pd

__version__: str

class InputError(ValueError):
    """A case korvel-batch would refuse; `field` names the field, or None."""

    field: Optional[str]

class TableError(RuntimeError):
    """The profile and material tables cannot be loaded."""

class Case:
    """One design case: every input of a batch line as an attribute."""

    def __init__(self, **fields: Union[str, int, float]) -> None: ...
    project: str
    identification: str
    condition: int
    FS: float
    UF: float
    Fyp: float
    Fup: float
    Fys: float
    Fus: float
    E: float
    structure: int
    UL: float
    option: int
    stiffener: str
    girder: str
    L1: float
    L2: float
    Lg: float
    Lgs: float
    Lt: float
    t: float
    s1: float
    s2: float
    SigxA: float
    SigxB: float
    SigyA: float
    SigyC: float
    Tau: float
    p: float
    ps: float
    @property
    def line(self) -> int: ...
    @property
    def file(self) -> str: ...
    def replace(self, **fields: Union[str, int, float]) -> "Case": ...
    def fields(self) -> list[str]: ...
    def batch_line(self) -> str: ...
    def __eq__(self, other: object) -> bool: ...

class Assessment:
    """The results of one case, as korvel-batch --format json gives them."""

    UFpb: float
    UFpu: float
    UFpl: float
    UFbu: float
    UFbt: float
    UFs: float
    UFgbu: float
    UFt: float
    UFsm: float
    UFgm: float
    UFy: float
    UFyp: float
    UFys: float
    @property
    def utilisations(self) -> dict[str, float]: ...
    @property
    def states(self) -> dict[str, Literal["computed", "notApplicable", "notComputed"]]: ...
    @property
    def rules(self) -> dict[str, dict[str, Any]]: ...
    @property
    def verdict(self) -> Literal["OK", "NOK", "stopped"]: ...
    @property
    def governing(self) -> Optional[str]: ...
    @property
    def failed(self) -> list[str]: ...
    @property
    def highest_check(self) -> Optional[str]: ...
    @property
    def highest(self) -> float: ...
    @property
    def stopped_in(self) -> Optional[str]: ...
    @property
    def stop_reason(self) -> Optional[str]: ...
    @property
    def warnings(self) -> list[str]: ...
    @property
    def detail(self) -> dict[str, Union[float, int, str]]: ...

_Path = Union[str, "PathLike[str]"]

def new_case() -> Case: ...
def read_cases(path: str) -> list[Case]: ...
def read_kori(path: _Path) -> pd.DataFrame: ...
def write_kori(path: _Path, cases: Union[pd.DataFrame, Iterable[Case]]) -> None: ...
def assess(case: Case) -> Assessment: ...
def assess_frame(frame: pd.DataFrame, threads: Optional[int] = ...) -> pd.DataFrame: ...
def envelope(frame: pd.DataFrame, threads: Optional[int] = ...) -> pd.DataFrame: ...
def reserve(case: Case, threads: Optional[int] = ...) -> dict[str, Any]: ...
def limit(
    case: Case,
    field: str,
    sought: Literal["min", "max"] = ...,
    range: Optional[tuple[float, float]] = ...,
    threads: Optional[int] = ...,
) -> dict[str, Any]: ...
def lightest(
    case: Case,
    top: int = ...,
    families: Optional[Sequence[str]] = ...,
    girder: bool = ...,
    threads: Optional[int] = ...,
) -> pd.DataFrame: ...
def sweep(case: Case, field: str, start: float, stop: float, steps: int, threads: Optional[int] = ...) -> pd.DataFrame: ...
def capacity(
    case: Case, x: str, y: str, rays: int = ..., all_checks: bool = ..., threads: Optional[int] = ...
) -> pd.DataFrame: ...
def checks() -> list[dict[str, str]]: ...
def rule_names() -> list[str]: ...
def field_names() -> list[str]: ...
def field_kinds() -> dict[str, str]: ...
def study_fields() -> list[str]: ...
def format_number(value: float, mask: str, single: bool = ...) -> str: ...
def set_data_folder(path: str) -> None: ...
def data_folder() -> str: ...
