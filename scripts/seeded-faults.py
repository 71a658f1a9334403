#!/usr/bin/env python3
"""Seeded faults: generate a fixed sample of one-token source mutations, then for each one build
the native tree and run its CTest suite; a mutant is caught when any test fails or times out.

    scripts/seeded-faults.py generate --repo R --count N --seed S > mutants.json
    scripts/seeded-faults.py run --repo R --build B [--matrix 1] mutants.json > results.json

With --matrix 1 every test runs for each mutant, and the result names the tests that failed, so
that which mutants a smaller suite would still catch can be read off without running it again.
"""
import json, os, random, re, subprocess, sys, time

AREAS = ["src/foundation", "src/engine", "src/catalogue", "src/sheets", "src/cli"]
RULES = [
    (r"==", "!="), (r"!=", "=="),
    (r"(?<![<>=!-])<=(?!=)", "<"), (r"(?<![<>=!-])>=(?!=)", ">"),
    (r"(?<![<>=-])<(?![<=])", "<="), (r"(?<![<>=-])>(?![>=])", ">="),
    (r"&&", "||"), (r"\|\|", "&&"),
    (r"\btrue\b", "false"), (r"\bfalse\b", "true"),
    (r"\+ 1\b", "- 1"), (r"- 1\b", "+ 1"),
    (r"(?<![\w.])([0-9]+)(?![\w.])", None),
    (r"\bif \(!", "if ("),
    (r"\+\+", "--"),
]

def candidates(repo):
    out = []
    for area in AREAS:
        for root, _, files in os.walk(os.path.join(repo, area)):
            for f in sorted(files):
                if not f.endswith(".cpp") or f.endswith("_win32.cpp"):
                    continue
                path = os.path.relpath(os.path.join(root, f), repo)
                lines = open(os.path.join(repo, path), encoding="latin-1").read().split("\n")
                for no, line in enumerate(lines):
                    s = line.strip()
                    if not s or s.startswith(("//", "#", "*", "/*")) or '"' in s and s.count('"') > 1 and "(" not in s:
                        continue
                    code = line.split("//")[0]
                    for pat, rep in RULES:
                        for m in re.finditer(pat, code):
                            # skip include/template angle brackets and string contents
                            before = code[:m.start()]
                            if before.count('"') % 2 == 1 or before.count("'") % 2 == 1:
                                continue
                            if rep is None:
                                new = str(int(m.group(1)) + 1)
                            else:
                                new = rep
                            if pat.startswith("(?<![<>=-])<") and re.search(r"\w<\w|template|static_cast|reinterpret_cast|const_cast", code):
                                continue
                            if pat.startswith("(?<![<>=-])>") and re.search(r"\w<\w|template|_cast", code):
                                continue
                            mutated = code[:m.start()] + new + code[m.end():] + line[len(code):]
                            out.append({"area": area, "file": path, "line": no, "original": line,
                                        "mutated": mutated})
    return out

def generate(repo, count, seed):
    rng = random.Random(seed)
    cands = candidates(repo)
    by_area = {a: [c for c in cands if c["area"] == a] for a in AREAS}
    picked = []
    per = count // len(AREAS)
    for a in AREAS:
        picked += rng.sample(by_area[a], min(per, len(by_area[a])))
    json.dump(picked, sys.stdout, indent=1)

def sh(cmd, cwd, timeout):
    try:
        return subprocess.run(cmd, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              timeout=timeout).returncode
    except subprocess.TimeoutExpired:
        return -999

def run(repo, build, listing, matrix=False):
    mutants = json.load(open(listing))
    results = []
    for i, m in enumerate(mutants):
        path = os.path.join(repo, m["file"])
        text = open(path, encoding="latin-1").read()
        lines = text.split("\n")
        try:
            at = lines.index(m["original"])
        except ValueError:
            results.append(dict(m, status="missing")); continue
        lines[at] = m["mutated"]
        open(path, "w", encoding="latin-1").write("\n".join(lines))
        t = time.time()
        try:
            if sh(["cmake", "--build", build, "-j2"], repo, 600) != 0:
                status = "stillborn"
            else:
                failed = os.path.join(build, "Testing", "Temporary", "LastTestsFailed.log")
                if os.path.exists(failed):
                    os.remove(failed)
                # Each test alone is quick: a mutant that makes one hang is caught by its timeout.
                rc = sh(["ctest", "--test-dir", build, "-LE", "memcheck", "-j2", "--timeout",
                         "20" if matrix else "60"] + ([] if matrix else ["--stop-on-failure"]),
                        repo, 900)
                status = "caught" if rc != 0 else "survived"
                if matrix and os.path.exists(failed):
                    m["failed"] = [l.split(":", 1)[1].strip() for l in open(failed) if ":" in l]
        finally:
            open(path, "w", encoding="latin-1").write(text)
        results.append(dict(m, status=status, seconds=round(time.time() - t, 1)))
        print(i, status, m["file"], m["line"] + 1, m["mutated"].strip(), file=sys.stderr, flush=True)
    sh(["cmake", "--build", build, "-j2"], repo, 600)
    json.dump(results, sys.stdout, indent=1)

if __name__ == "__main__":
    if sys.argv[1] == "generate":
        a = dict(zip(sys.argv[2::2], sys.argv[3::2]))
        generate(a["--repo"], int(a["--count"]), int(a["--seed"]))
    else:
        a = dict(zip(sys.argv[2:-1:2], sys.argv[3:-1:2]))
        run(a["--repo"], a["--build"], sys.argv[-1], a.get("--matrix") == "1")
