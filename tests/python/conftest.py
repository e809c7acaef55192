"""The built module on PYTHONPATH and qvc in QVC_BIN (both set by ctest), and the
bundled office example entered as a project."""

import json
import os
import pathlib
import subprocess

import pytest

import qvcomponents

SOURCE_DIR = pathlib.Path(__file__).resolve().parents[2]
EXAMPLE = SOURCE_DIR / "examples" / "office-hvac"
CASE_FILES = sorted((EXAMPLE / "cases").glob("*.json"))


def load_json(path):
    return json.loads(pathlib.Path(path).read_text(encoding="utf-8"))


@pytest.fixture
def qvc():
    """Runs qvc; returns its standard output, or its standard error when it is to fail."""
    def run(*args, fails=False):
        done = subprocess.run([os.environ["QVC_BIN"], *map(str, args)], capture_output=True, text=True)
        assert (done.returncode != 0) == fails, done.stderr
        return done.stderr if fails else done.stdout
    return run


@pytest.fixture
def office(tmp_path):
    """(project, study ID) of the office example entered through the package."""
    project = qvcomponents.Project(tmp_path / "office", create=True)
    study = project.add_study(load_json(EXAMPLE / "study.json"))
    for case_file in CASE_FILES:
        project.add_case(study, load_json(case_file))
    return project, study
