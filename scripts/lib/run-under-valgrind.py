"""Runs each test program CTest knows under valgrind memcheck, once for all of its cases, with
the environment CTest gives them, and prints one line per program and a closing
'N passed, N failed' line. Commands that are not test programs of ours (scripts, tools from
the system) are skipped."""
import json
import os
import re
import subprocess
import sys

build, pattern = os.path.abspath(sys.argv[1]), re.compile(sys.argv[2])
tests = json.loads(subprocess.run(["ctest", "--test-dir", build, "--show-only=json-v1"],
                                  check=True, capture_output=True, text=True).stdout)["tests"]
passed = failed = 0
programs = {}
for test in tests:
    if "command" in test and test["command"][0].startswith(build) and pattern.search(test["name"]):
        programs.setdefault(test["command"][0], test)
for program, test in programs.items():
    with open(program, "rb") as f:
        if f.read(2) == b"#!":
            continue
    name = os.path.basename(program)
    env = dict(os.environ)
    for prop in test.get("properties", []):
        if prop["name"] == "ENVIRONMENT":
            for item in prop["value"]:
                key, _, value = item.partition("=")
                env[key] = value
    # PCRE2 compiles regular expressions to machine code that memcheck cannot follow.
    env["QT_ENABLE_REGEXP_JIT"] = "0"
    log = os.path.join(build, f"valgrind-{name}.log")
    memcheck = ["valgrind", "--tool=memcheck", "--error-exitcode=99", "--leak-check=no",
                f"--suppressions={os.environ['HUSHPANE_VALGRIND_SUPPRESSIONS']}",
                "--gen-suppressions=all", f"--log-file={log}"]
    result = subprocess.run(memcheck + [program], env=env, cwd=os.path.dirname(program),
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    errors = re.search(r"ERROR SUMMARY: (\d+) errors", open(log).read())
    count = int(errors.group(1)) if errors else -1
    ok = result.returncode == 0 and count == 0
    passed, failed = passed + ok, failed + (not ok)
    print(f"{'ok  ' if ok else 'FAIL'} {name}: exit {result.returncode}, {count} memcheck errors ({log})")
print(f"{passed} passed, {failed} failed")
sys.exit(1 if failed else 0)
