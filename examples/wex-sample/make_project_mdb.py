#!/usr/bin/env python3
"""Writes the sample sibling building-load project: Project.mdb (SQLite) with
the tables TagIndex and TagData.

Three buildings with their annual energy costs (whole-year utility bills in
dollars, stored as text as the building-load program writes them) and their
main HVAC equipment, plus two tags that are not buildings of the program and
must not be listed.

Usage: make_project_mdb.py [OUTPUT]   (default: Project.mdb beside this script)
"""
import os
import sqlite3
import sys

BUILDINGS = [
    # tag, name, [(key, value)] in sequence order
    (101, "Administration Building", [
        ("Electric_Cost", "84316.40"),
        ("Gas_Cost", "17512.50"),
        ("Equipment_1", "Rooftop unit RTU-1, 40 ton"),
        ("Equipment_2", "Rooftop unit RTU-2, 40 ton"),
        ("Equipment_3", "Gas-fired boiler B-1, 1500 MBH"),
    ]),
    (102, "Elementary School", [
        ("Electric_Cost", "61240.00"),
        ("Fuel_Oil_Cost", "22918.35"),
        ("Propane_Cost", "3120.00"),
        ("Equipment_1", "Air-cooled chiller CH-1, 120 ton"),
        ("Equipment_2", "Oil-fired boiler B-1, 2400 MBH"),
        ("Equipment_3", "Classroom unit ventilators (24)"),
    ]),
    (103, "Medical Office Building", [
        ("Electric_Cost", "142887.60"),
        ("Remote_HW_Cost", "18450.25"),
        ("Remote_STM_Cost", "9210.00"),
        ("Remote_CW_Cost", "36775.80"),
        ("Equipment_1", "Air handler AHU-1, 24000 cfm"),
        ("Equipment_2", "Air handler AHU-2, 18000 cfm"),
        ("Equipment_3", "Steam-to-hot-water heat exchanger HX-1"),
    ]),
]

# Tags the importer must skip: a piece of equipment (not type 500) and a
# building kept by another program.
OTHER_TAGS = [
    (201, "Chiller plant CH-1", "WEX", 300),
    (301, "Warehouse", "LOADS2", 500),
]


def write(path):
    if os.path.exists(path):
        os.remove(path)
    db = sqlite3.connect(path)
    db.executescript("""
        CREATE TABLE TagIndex (
          lTagID LONG PRIMARY KEY,
          sTagName TEXT,
          sApp TEXT,
          lEquipType LONG
        );
        CREATE TABLE TagData (
          lDataID INTEGER PRIMARY KEY AUTOINCREMENT,
          lTagID LONG,
          sKey TEXT,
          sValue TEXT,
          lSeqNumber LONG
        );
    """)
    for tag, name, rows in BUILDINGS:
        db.execute("INSERT INTO TagIndex VALUES (?, ?, 'WEX', 500)", (tag, name))
        for seq, (key, value) in enumerate(rows, start=1):
            db.execute("INSERT INTO TagData (lTagID, sKey, sValue, lSeqNumber) "
                       "VALUES (?, ?, ?, ?)", (tag, key, value, seq))
    for tag, name, app, kind in OTHER_TAGS:
        db.execute("INSERT INTO TagIndex VALUES (?, ?, ?, ?)", (tag, name, app, kind))
        db.execute("INSERT INTO TagData (lTagID, sKey, sValue, lSeqNumber) "
                   "VALUES (?, 'Electric_Cost', '1000', 1)", (tag,))
    db.commit()
    db.execute("VACUUM")
    db.close()


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    write(sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "Project.mdb"))
