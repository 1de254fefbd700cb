"""The JSON Schema of the record against the samples: every sample is valid,
and each kind of mistake pack refuses is refused by the schema too."""
import copy
import json
import sys

import jsonschema

schema = json.load(open(sys.argv[1]))
jsonschema.Draft7Validator.check_schema(schema)
validator = jsonschema.Draft7Validator(schema)
samples = {path: json.load(open(path)) for path in sys.argv[2:]}
failures = []
for path, record in samples.items():
    for error in validator.iter_errors(record):
        failures.append(f"{path}: valid record refused: {error.message}")


def refused(name, edit):
    record = copy.deepcopy(next(iter(samples.values())))
    edit(record)
    if validator.is_valid(record):
        failures.append(f"accepted {name}")


def emitter(record):
    return next(e for e in record["emitters"] if e["magic"] == "ET2D")


refused("a misspelt track", lambda r: emitter(r)["tracks"][0].update(name="BaseLif"))
refused("an unknown field", lambda r: r.update(colour=1))
refused("a flag of 256", lambda r: emitter(r).update(additive=256))
refused("a float beyond the float range", lambda r: r.update(durationSeconds=1e39))
refused("an end mode as text", lambda r: r.update(endMode="0"))
refused("the wrong frame block", lambda r: emitter(r).update(animated=1))
refused("an unknown magic", lambda r: emitter(r).update(magic="XXXX"))
print("\n".join(failures) or f"{len(samples)} samples valid, every mistake refused")
sys.exit(1 if failures else 0)
