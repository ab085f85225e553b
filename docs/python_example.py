"""The example of docs/python.md, run as it stands there; it draws docs/python-sweep.png.

    PYTHONPATH=build/python python3 docs/python_example.py
"""

import os

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402

import korvel  # noqa: E402

# 1. The cases of a batch file: one row per case, one column per field.
cases = korvel.read_kori(os.path.join(korvel.data_folder(), "dummy.kori"))
print(cases[["line", "identification", "stiffener", "girder", "t", "SigxA"]].to_string())

# 2. Every case calculated, on all cores: the results table's columns added.
results = korvel.assess_frame(cases)
print(results[["identification", "UFpb", "UFb", "UFgbu", "UFt", "verdict", "governing"]].round(3).to_string())

# 3. One case in full: its utilisations, rules and the quantities of korvel-batch --detail.
case = korvel.read_cases(os.path.join(korvel.data_folder(), "dummy.kori"))[2]
a = korvel.assess(case)
print(a)
print(a.rules["web proportions"], a.states["UFbt"], len(a.detail), "detail quantities")

# 4. A variant: a thicker plate and a built-up angle, the rest as in the file.
variant = case.replace(t=14, stiffener="LW 250x90x10x15")
print(variant.t, variant.stiffener, korvel.assess(variant).verdict)

# 5. The utilisations against the plate thickness t, and the plot.
sweep = korvel.sweep(case, "t", 8, 20, 24)
fig, ax = plt.subplots(figsize=(7.5, 4.2), dpi=100)
for symbol in ["UFpb", "UFpu", "UFbu", "UFbt", "UFt"]:
    ax.plot(sweep["t"], sweep[symbol], marker="o", markersize=3, label=symbol)
ax.axhline(1.0, color="black", linewidth=0.8, linestyle="--")
thinnest = korvel.limit(case, "t", "min")  # the smallest t for which the case passes
ax.axvline(thinnest["value"], color="grey", linewidth=0.8)
ax.annotate(f"t min = {thinnest['value']:.2f} ({thinnest['governing']})", (thinnest["value"], 3.5),
            xytext=(6, 0), textcoords="offset points", fontsize="small")
ax.set_xlabel("plate thickness t (mm)")
ax.set_ylabel("utilisation")
ax.set_title(f"{case.project} {case.identification}: utilisations against t")
ax.legend(ncol=5, loc="upper left", fontsize="small")
ax.grid(alpha=0.3)
fig.tight_layout()
fig.savefig(os.path.join(os.path.dirname(os.path.abspath(__file__)), "python-sweep.png"))

# 6. How far the loads can grow: the reserve factor.
print(korvel.reserve(case)["lambda*"], thinnest["value"], thinnest["governing"])
