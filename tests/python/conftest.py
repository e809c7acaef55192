"""Fixtures of the package tests: the built module on PYTHONPATH (set by ctest),
the qvc program to compare with, and the bundled office example as a project."""

import json
import os
import pathlib
import subprocess

import pytest

import qvcomponents

SOURCE_DIR = pathlib.Path(__file__).resolve().parents[2]
EXAMPLE = SOURCE_DIR / "examples" / "office-hvac"


def load_json(path):
    with open(path, encoding="utf-8") as f:
        return json.load(f)


@pytest.fixture
def qvc():
    """Runs the qvc program; returns its standard output, or its standard
    error when it is expected to fail."""
    program = os.environ["QVC_BIN"]

    def run(*args, fails=False):
        done = subprocess.run([program, *map(str, args)], capture_output=True, text=True)
        assert (done.returncode != 0) == fails, done.stderr
        return done.stderr if fails else done.stdout

    return run


@pytest.fixture
def office(tmp_path):
    """The office example entered through the package: (project, study ID)."""
    project = qvcomponents.Project(tmp_path / "office", create=True)
    study = project.add_study(load_json(EXAMPLE / "study.json"))
    for case_file in sorted((EXAMPLE / "cases").glob("*.json")):
        project.add_case(study, load_json(case_file))
    return project, study
