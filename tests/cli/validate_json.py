#!/usr/bin/env python3
"""Validates every JSON document on standard input (one after another)
against the schema named by the first argument; prints each violation and
exits 1 on any."""
import json
import sys

import jsonschema

schema = json.load(open(sys.argv[1], encoding="utf-8"))
validator = jsonschema.Draft202012Validator(schema)
text = sys.stdin.read()
decoder = json.JSONDecoder()
at, count, faults = 0, 0, 0
while True:
    while at < len(text) and text[at].isspace():
        at += 1
    if at == len(text):
        break
    document, at = decoder.raw_decode(text, at)
    count += 1
    for error in validator.iter_errors(document):
        faults += 1
        print(f"document {count}: {error.json_path}: {error.message}")
print(f"{count} documents, {faults} faults")
sys.exit(1 if faults or count == 0 else 0)
