"""Runs each CTest test's command under valgrind memcheck with the test's own environment and
prints one line per test and a closing 'N passed, N failed' line."""
import json
import os
import re
import subprocess
import sys

build, pattern = os.path.abspath(sys.argv[1]), re.compile(sys.argv[2])
tests = json.loads(subprocess.run(["ctest", "--test-dir", build, "--show-only=json-v1"],
                                  check=True, capture_output=True, text=True).stdout)["tests"]
passed = failed = 0
for test in tests:
    name = test["name"]
    if not pattern.search(name):
        continue
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
    command = test["command"]
    with open(command[0], "rb") as f:
        is_wrapper_script = f.read(2) == b"#!"
    # A wrapper script (a display of its own, say) runs the test program: memcheck goes on the
    # program, not on the shell.
    command = (command[:1] + memcheck + command[1:]) if is_wrapper_script else memcheck + command
    result = subprocess.run(command, env=env, cwd=os.path.dirname(test["command"][0]),
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    errors = re.search(r"ERROR SUMMARY: (\d+) errors", open(log).read())
    count = int(errors.group(1)) if errors else -1
    ok = result.returncode == 0 and count == 0
    passed, failed = passed + ok, failed + (not ok)
    print(f"{'ok  ' if ok else 'FAIL'} {name}: exit {result.returncode}, {count} memcheck errors ({log})")
print(f"{passed} passed, {failed} failed")
sys.exit(1 if failed else 0)
