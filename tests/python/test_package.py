"""The package against the qvc program on the same project: the same records,
the same results value for value, the same reports, and errors that carry the
component's numbers without printing anything."""

import json
import pathlib
import re

import pytest

import qvcomponents
from conftest import CASE_FILES, EXAMPLE, SOURCE_DIR, load_json


def test_results_are_those_of_qvc_calc_json(office, qvc):
    project, study = office
    results = qvcomponents.calculate(project, study)
    printed = qvc("calc", project.path, study, "--json", "-")
    assert results.to_json() == printed
    doc = json.loads(printed)
    assert (results.study_id, results.study, results.settings) == (
        doc["StudyID"], doc["Study"], doc["Settings"])
    for objects, records in ((results.alternatives, doc["Alternatives"]),
                             (results.comparisons, doc["Comparisons"])):
        assert len(objects) == len(records) > 0
        for item, record in zip(objects, records):
            assert {name: getattr(item, name) for name in dir(item)} == record
    assert [a.CaseTitle for a in results.alternatives] == [
        load_json(f)["CaseTitle"] for f in CASE_FILES]


def test_records_round_trip_as_qvc_shows_them(office, qvc):
    project, study = office
    assert project.study(study) == load_json(EXAMPLE / "study.json")
    assert project.study(study) == json.loads(qvc("study", "show", project.path, study))
    given = load_json(CASE_FILES[0])
    case = project.add_case(study, given)
    stored = project.case(study, case)
    assert stored == json.loads(qvc("case", "show", project.path, study, case))
    for key, value in given.items():  # rows gain their keys, nothing else changes
        if isinstance(value, list):
            assert [{k: row[k] for k in g} for row, g in zip(stored[key], value)] == value, key
            assert len(stored[key]) == len(value), key
            assert all(any(k.endswith("PK") and row[k] > 0 for k in row) for row in stored[key])
        else:
            assert stored[key] == value, key
    # The second investment is emptied (its key kept) and the first costs more.
    stored["Investments"][0]["InvCost"] = 200000
    stored["Investments"][1] = {"InvItemPK": stored["Investments"][1]["InvItemPK"]}
    project.update_case(study, case, stored)
    rows = project.case(study, case)["Investments"]
    assert [(r["InvItemName"], r["InvCost"]) for r in rows] == [
        ("Chiller overhaul", 200000), ("Boiler retubing", 42000)]


def test_copies_moves_deletions_and_conversion(office):
    project, study = office
    copy = project.copy_study(study)
    assert project.studies() == [study, copy]
    assert len(project.cases(copy)) == 3 and project.study(copy)["StudyTitle"].startswith("Copy")
    first, second, third = project.cases(study)
    new = project.copy_case(study, first, copy)
    assert project.cases(copy)[-1] == new and project.case(copy, new)["CaseShortTitle"] == "Refurbish"
    project.move_case(study, second, copy)
    project.delete_case(study, third)
    assert project.cases(study) == [first] and len(project.cases(copy)) == 5
    project.convert(copy, 2)
    assert project.study(copy)["TypeOfAnalysis"] == 2
    project.delete_study(copy)
    assert project.studies() == [study]


def test_reports_and_sensitivity_are_those_of_qvc(office, qvc, tmp_path):
    project, study = office
    files = qvcomponents.write_reports(project, study, "SI-LS-CF", tmp_path / "py")
    qvc("calc", project.path, study, "--reports", "SI-LS-CF", "--out", tmp_path / "cli")
    expected = sorted(p.name for p in (tmp_path / "cli").iterdir() if not p.name.startswith("."))
    assert [pathlib.Path(f).name for f in files] == expected and len(expected) == 3
    assert all(pathlib.Path(f).read_bytes().startswith(b"{\\rtf") for f in files)
    result = qvcomponents.sensitivity(project, study, {"discount-rate": (0.02, 0.05),
                                                       "investment:2": None})
    qvc("sensitivity", project.path, study, "--vary", "discount-rate=2%:5%",
        "--vary", "investment:2", "--out", tmp_path / "sens")
    assert result == load_json(tmp_path / "sens" / "sensitivity.json")
    assert [f["Name"] for f in result["Factors"]] == ["discount-rate", "investment:2"]


def test_errors_carry_numbers_and_print_nothing(office, qvc, tmp_path, capfd):
    project, study = office
    (tmp_path / "junk").mkdir()
    (tmp_path / "junk" / "ORV30.mdb").write_bytes(b"not a project database" * 100)
    shown = qvc("list", tmp_path / "junk", fails=True)  # the component's own failure
    empty = project.add_study({"StudyTitle": "No cases", "Lifecycle": 20, "DiscountRate": 4})
    too_long = project.add_study({"StudyTitle": "Too long", "Lifecycle": 80})
    project.add_case(too_long, {"CaseTitle": "A"})
    for call, number in [
            (lambda: project.study(99), 3021),
            (lambda: project.add_study({"Title": "unknown key"}), 5),
            (lambda: project.add_study({"StudyTitle": {1, 2}}), 13),
            (lambda: project.convert(study, 7), 5),
            (lambda: qvcomponents.Project(tmp_path / "none"), 3024),
            (lambda: qvcomponents.Project(project.path, create=True), 58),
            (lambda: qvcomponents.calculate(project, empty), 302),
            (lambda: qvcomponents.calculate(project, too_long), 309),
            (lambda: qvcomponents.sensitivity(project, study, {"discount": None}), 5),
            (lambda: qvcomponents.Project(tmp_path / "junk").studies(),
             int(re.search(r"failed: (\d+)#", shown).group(1)))]:
        with pytest.raises(qvcomponents.Error) as raised:
            call()
        assert raised.value.number == number, (raised.value, number)
        assert raised.value.message and str(number) in str(raised.value)
    qvcomponents.write_reports(project, study, "SI", tmp_path / "quiet")
    assert capfd.readouterr() == ("", "")


def test_readme_example_runs(tmp_path, monkeypatch, capsys):
    readme = (SOURCE_DIR / "README.md").read_text(encoding="utf-8")
    code = re.search(r"```python\n(.*?)```", readme[readme.index("## Python"):], re.S).group(1)
    monkeypatch.chdir(tmp_path)
    exec(compile(code, "README.md", "exec"), {})
    printed = capsys.readouterr().out
    assert re.search(r"\d", printed) and "break-even" in printed.lower()
